#include "MediaSession.h"

#include "MainLayout.h"
#include "Picture.h"
#include "Poll.h"

namespace e2e {

using namespace std::chrono_literals;

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
    const auto windows = xdo_->waitForWindows(regex, kStartBound);
    ASSERT_EQ(windows.size(), 1u) << "visible windows captioned " << str(caption) << "; "
                                  << str(xdo_->lastError());
    window_ = windows.front();

    const bool placed = pollUntil(
        [&] {
            const auto rect = xdo_->geometry(window_);
            if (rect) geometry_ = *rect;
            return geometry_ == geometry;
        },
        kStateBound);
    ASSERT_TRUE(placed) << "the window stands at " << testing::PrintToString(geometry_)
                        << ", expected " << testing::PrintToString(geometry);

    const QRect title = onScreen(sized::bareTitle(size()));
    const QRect controls = onScreen(sized::bareControls(size()));
    QImage last;
    const auto painted = screen_->grabUntil(
        QStringLiteral("painted"),
        [&](const QImage& image) {
            return checkUniform(image, title, layout::kBarColour).isEmpty() &&
                   checkUniform(image, controls, layout::kBarColour).isEmpty();
        },
        kStateBound, &last);
    ASSERT_TRUE(painted.has_value())
        << "the bars were never painted at the new size: title bar "
        << str(checkUniform(last, title, layout::kBarColour)) << "; control bar "
        << str(checkUniform(last, controls, layout::kBarColour));
}

QImage MediaTest::awaitPlaying(const QString& label,
                               const std::function<bool(const QImage&)>& also) {
    const QRect video = videoArea();
    const QRect button = onScreen(sized::playButton(size()));
    QImage previous;
    int moved = 0;
    const auto playing = screen_->grabUntil(
        label,
        [&](const QImage& image) {
            moved = previous.isNull() ? 0 : countDifferences(previous, image, video);
            previous = image;
            // The test's condition sees every screenshot, whatever the rest shows.
            const bool held = !also || also(image);
            return moved > kMotionPixels &&
                   picture::playLook(image, button) == picture::PlayLook::Pause && held;
        },
        kStateBound, &lastShot_);
    EXPECT_TRUE(playing.has_value())
        << "never seen playing: the picture changed by " << moved
        << " pixels, the play button shows " << lookName(lastShot_, button)
        << (also ? ", and the test's own condition on the screenshot" : "");
    return playing.value_or(QImage());
}

QImage MediaTest::awaitPaused(const QString& label,
                              const std::function<bool(const QImage&)>& also) {
    const QRect video = videoArea();
    const QRect button = onScreen(sized::playButton(size()));
    QImage previous;
    int moved = 0;
    const auto paused = screen_->grabUntil(
        label,
        [&](const QImage& image) {
            moved = previous.isNull() ? -1 : countDifferences(previous, image, video);
            previous = image;
            const bool held = !also || also(image);
            return moved == 0 && picture::playLook(image, button) == picture::PlayLook::Play &&
                   held;
        },
        kStateBound, &lastShot_);
    EXPECT_TRUE(paused.has_value())
        << "never seen paused: the picture changed by " << moved
        << " pixels, the play button shows " << lookName(lastShot_, button)
        << (also ? ", and the test's own condition on the screenshot" : "");
    return paused.value_or(QImage());
}

QImage MediaTest::awaitStill(const QString& label, const QRect& rect) {
    QImage previous;
    int moved = 0;
    const auto still = screen_->grabUntil(
        label,
        [&](const QImage& image) {
            moved = previous.isNull() ? -1 : countDifferences(previous, image, rect);
            previous = image;
            return moved == 0;
        },
        kStateBound, &lastShot_);
    EXPECT_TRUE(still.has_value()) << "the picture never held still; " << moved
                                   << " pixels changed between the last two screenshots";
    return still.value_or(QImage());
}

void MediaTest::pressKey(const QString& keysym) {
    ASSERT_TRUE(xdo_->focus(window_)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->key(keysym)) << str(xdo_->lastError());
}

void MediaTest::clickAt(QPoint windowPos) {
    ASSERT_TRUE(xdo_->mouseMove(onScreen(windowPos))) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->click()) << str(xdo_->lastError());
}

void MediaTest::closeWithButton() {
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::closeButton(size()).center()));
    expectCleanExit();
}

void MediaTest::expectCleanExit() {
    const auto exit = player_->waitForExit(20s);
    ASSERT_TRUE(exit.has_value()) << "the player is still running";
    EXPECT_FALSE(exit->crashed) << "the player was killed by a signal";
    EXPECT_EQ(exit->code, 0);
}

}  // namespace e2e
