#include "MediaSession.h"

#include <QDir>
#include <cmath>

#include "Picture.h"
#include "SettingsFiles.h"
#include "TestFiles.h"
#include "WindowParts.h"

namespace e2e {

namespace {
// Bounds for one step of a test; generous, since a software renderer on a busy machine
// can be slow to show the first frames.
constexpr auto kStartBound = 30s;
constexpr auto kStateBound = 20s;
// More pixels than this differ when a clip's picture moves between two screenshots.
constexpr int kMotionPixels = 50;

const char* lookName(const QImage& image, const QRect& button) {
    switch (picture::playLook(image, button)) {
        case picture::PlayLook::Play:
            return "the play triangle";
        case picture::PlayLook::Pause:
            return "the pause bars";
        case picture::PlayLook::Neither:
            break;
    }
    return "neither the play triangle nor the pause bars";
}

}  // namespace

QString literalRegex(const QString& text) {
    QString escaped;
    for (const QChar c : text) {
        if (QStringLiteral(".[]()*+?{}|^$\\").contains(c)) escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

void MediaTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(Session::SetUp());
    preparePlayer();
    sound_ = std::make_unique<SoundServer>(player_->runtimeDir(), player_->home(),
                                           artifactDir_ + QStringLiteral("/pulseaudio.log"));
    QString error;
    ASSERT_TRUE(sound_->start(&error)) << str(error);
}

void MediaTest::TearDown() {
    dragSource_.reset();
    // The player goes first, so that it never sees its sound output vanish.
    Session::TearDown();
    sound_.reset();
}

void MediaTest::startPlayer(const QStringList& arguments, const QString& caption,
                            const QRect& geometry) {
    QString error;
    ASSERT_TRUE(player_->start(arguments, &error)) << str(error);
    ASSERT_NO_FATAL_FAILURE(awaitWindow(caption, geometry));
}

void MediaTest::awaitWindow(const QString& caption, const QRect& geometry) {
    const QString regex = QLatin1Char('^') + literalRegex(caption) + QLatin1Char('$');
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(regex, kStartBound, &window_));
    ASSERT_NO_FATAL_FAILURE(awaitPlaced(geometry));
}

void MediaTest::awaitPlaced(const QRect& geometry, bool titleBar) {
    ASSERT_TRUE(awaitGeometry(geometry, kStateBound))
        << "the window stands at " << testing::PrintToString(geometry_) << ", expected "
        << testing::PrintToString(geometry);
    QList<QRect> bars{onScreen(sized::bareControls(size()))};
    if (titleBar) bars.prepend(onScreen(sized::bareTitle(size())));
    const QString unpainted =
        awaitUniform(QStringLiteral("painted"), bars, look::kBarColour, kStateBound, &lastShot_);
    ASSERT_TRUE(unpainted.isEmpty())
        << "the bars were never painted at the new size: " << str(unpainted);
}

QImage MediaTest::awaitPlayback(const QString& label, bool playing,
                                const std::function<bool(const QImage&)>& also) {
    const QRect button = onScreen(sized::playButton(size()));
    const auto look = playing ? picture::PlayLook::Pause : picture::PlayLook::Play;
    int moved = 0;
    const auto seen = awaitMotion(
        label, videoArea(),
        [&](int motion, const QImage& image) {
            // The test's condition sees every screenshot, whatever the rest shows.
            const bool held = !also || also(image);
            return (playing ? motion > kMotionPixels : motion == 0) &&
                   picture::playLook(image, button) == look && held;
        },
        &moved);
    EXPECT_TRUE(seen.has_value()) << "never seen " << (playing ? "playing" : "paused")
                                  << ": the picture changed by " << moved
                                  << " pixels, the play button shows "
                                  << lookName(lastShot_, button)
                                  << (also ? ", and the test's own condition on the screenshot"
                                           : "");
    return seen.value_or(QImage());
}

QImage MediaTest::awaitStill(const QString& label, const QRect& rect) {
    int moved = 0;
    const auto still = awaitMotion(
        label, rect, [](int motion, const QImage&) { return motion == 0; }, &moved);
    EXPECT_TRUE(still.has_value()) << "the picture never held still; " << moved
                                   << " pixels changed between the last two screenshots";
    return still.value_or(QImage());
}

std::optional<QImage> MediaTest::awaitMotion(
    const QString& label, const QRect& rect,
    const std::function<bool(int, const QImage&)>& condition, int* moved) {
    QImage previous;
    return screen_->grabUntil(
        label,
        [&](const QImage& image) {
            *moved = previous.isNull() ? -1 : countDifferences(previous, image, rect);
            previous = image;
            return condition(*moved, image);
        },
        kStateBound, &lastShot_);
}

bool MediaTest::awaitLook(const QString& label, const QRect& rect, const QImage& reference,
                          bool same) {
    const QRect area = onScreen(rect);
    return screen_
        ->grabUntil(
            label,
            [&](const QImage& image) {
                return (countDifferences(reference, image, area) == 0) == same;
            },
            10s)
        .has_value();
}

void MediaTest::pressKey(const QString& keysym) {
    ASSERT_TRUE(xdo_->focus(window_)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->key(keysym)) << str(xdo_->lastError());
}

void MediaTest::restPointer() {
    ASSERT_TRUE(xdo_->mouseMove(onScreen(sized::bareControls(size()).center())))
        << str(xdo_->lastError());
}

void MediaTest::press(QPoint windowPos) {
    ASSERT_NO_FATAL_FAILURE(clickAt(windowPos));
    ASSERT_NO_FATAL_FAILURE(restPointer());
}

void MediaTest::closeWithButton() {
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::closeButton(size()).center()));
    expectExit();
}

QString MediaTest::savedSetting(const QString& key) const {
    const auto config = IniText::load(player_->settingsDir() + QStringLiteral("/config.ini"));
    if (!config) return QStringLiteral("<no config.ini>");
    return config->value(QStringLiteral("Settings"), key).value_or(QStringLiteral("<missing>"));
}

void MediaTest::seedSettings(const QString& name, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(player_->settingsDir()));
    ASSERT_TRUE(WriteFile(player_->settingsDir() + QLatin1Char('/') + name, bytes)) << str(name);
}

QPoint MediaTest::sliderPoint(double fraction) const {
    const QRect s = slider();
    const int thumb = sized::at(size()).thumbs.value(QStringLiteral("slider_progress")).width();
    return {s.left() + thumb / 2 + static_cast<int>(std::lround(fraction * (s.width() - thumb))),
            s.top() + s.height() / 2};
}

void MediaTest::startDragSource(const QStringList& files, QPoint where) {
    dragSource_ =
        std::make_unique<DragSourceProcess>(server_->display(), player_->runtimeDir(),
                                            artifactDir_ + QStringLiteral("/drag-source.log"));
    QString error;
    ASSERT_TRUE(dragSource_->start(where, files, &error)) << str(error);
    ASSERT_NO_FATAL_FAILURE(
        awaitOnlyWindow(QStringLiteral("^e2e drag source$"), 20s, &dragSourceWindow_));
}

void MediaTest::dropAt(QPoint to) {
    ASSERT_TRUE(xdo_->mouseMove(to + QPoint(1, 1))) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseUp()) << str(xdo_->lastError());
}

QImage MediaTest::awaitPausedAt(const QString& label, double place, double slack) {
    return awaitPaused(label, [&](const QImage& image) {
        const auto at = picture::progress(image, slider());
        return at && std::abs(*at - place) <= slack;
    });
}

}  // namespace e2e
