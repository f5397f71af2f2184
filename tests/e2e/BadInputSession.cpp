#include "BadInputSession.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>

#include "SettingsFiles.h"
#include "WindowParts.h"

namespace e2e {

namespace {
constexpr auto kStepBound = 20s;
}  // namespace

// AutoNext=0: the clips share the media folder, and one that ends must stay where it is.
const QByteArray BadInputTest::kSeededConfig =
    "[Settings]\nVolume=35.0\nMute=0\nTopMost=0\nLanguage=lan_en.xml\nTheme=kept by hand\n"
    "AutoNext=0\n";

void BadInputTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(MediaTest::SetUp());
    inputs_ = artifactDir_ + QStringLiteral("/inputs");
    ASSERT_TRUE(QDir().mkpath(inputs_));
    ASSERT_NO_FATAL_FAILURE(seedSettings(QStringLiteral("config.ini"), kSeededConfig));
    ASSERT_NO_FATAL_FAILURE(watchWindows());
}

void BadInputTest::startAndAwaitMain(const QStringList& arguments, const QRect& geometry) {
    QString error;
    ASSERT_TRUE(player_->start(arguments, &error)) << str(error);
    // The caption may be the application's name or what the engine made of the file: the
    // main window is the first one shown.
    const bool shown = watcher_.waitFor(
        [&](const std::vector<WindowEvent>& events) {
            const auto mapped = std::find_if(events.begin(), events.end(), [](const auto& e) {
                return e.kind == WindowEvent::Mapped;
            });
            if (mapped == events.end()) return false;
            window_ = mapped->window;
            return true;
        },
        30s);
    ASSERT_TRUE(shown) << "the player showed no window";
    // Only the control bar: the title bar may show a title of any length.
    ASSERT_NO_FATAL_FAILURE(awaitPlaced(geometry, false));
}

void BadInputTest::expectAnswersClicks() {
    const QRect button = onScreen(sized::volumeButton(size()));
    const QPoint away = onScreen(sized::bareControls(size()).center());
    ASSERT_TRUE(xdo_->mouseMove(away)) << str(xdo_->lastError());
    const QImage first = awaitStill(QStringLiteral("volume-before"), button);
    ASSERT_FALSE(first.isNull());

    for (const bool muted : {true, false}) {
        SCOPED_TRACE(muted ? "first click" : "second click");
        ASSERT_NO_FATAL_FAILURE(clickAt(sized::volumeButton(size()).center()));
        ASSERT_TRUE(xdo_->mouseMove(away)) << str(xdo_->lastError());
        // The same picture twice in a row, so that a hover look on the way out never counts.
        QImage previous;
        int changed = -1;
        const auto seen = screen_->grabUntil(
            muted ? QStringLiteral("volume-muted") : QStringLiteral("volume-unmuted"),
            [&](const QImage& image) {
                const bool steady =
                    !previous.isNull() && countDifferences(previous, image, button) == 0;
                previous = image;
                changed = countDifferences(first, image, button);
                return steady && (muted ? changed > look::kIconPixels : changed == 0);
            },
            kStepBound, &lastShot_);
        ASSERT_TRUE(seen.has_value())
            << "the volume button never showed the " << (muted ? "muted" : "unmuted") << " look; "
            << changed << " pixels differ from its first look";
    }
}

void BadInputTest::closeAndExpectCleanExit() {
    ASSERT_TRUE(player_->running()) << "the player is gone";
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
}

void BadInputTest::expectSettingsKept() {
    const auto config = IniText::load(player_->settingsDir() + QStringLiteral("/config.ini"));
    ASSERT_TRUE(config.has_value()) << "no config.ini";
    SCOPED_TRACE(str(config->text()));
    const QString settings = QStringLiteral("Settings");
    EXPECT_EQ(config->value(settings, QStringLiteral("Volume")), QStringLiteral("35.0"));
    EXPECT_EQ(config->value(settings, QStringLiteral("Mute")), QStringLiteral("0"));
    EXPECT_EQ(config->value(settings, QStringLiteral("TopMost")), QStringLiteral("0"));
    EXPECT_EQ(config->value(settings, QStringLiteral("Language")), QStringLiteral("lan_en.xml"));
    EXPECT_EQ(config->value(settings, QStringLiteral("Theme")), QStringLiteral("kept by hand"));
}

QStringList BadInputTest::otherWindowsShown(const std::vector<WindowId>& allowed,
                                            const QStringList& allowedNames) const {
    QStringList names;
    const std::vector<WindowEvent> events = watcher_.events();
    for (const WindowEvent& e : events) {
        if (e.kind != WindowEvent::Mapped || e.window == window_) continue;
        // A tooltip names the control under the pointer and tells nothing of the input. Qt
        // opens it when no click follows the pointer's arrival on a control within its
        // wake-up delay, as the player sees them: a loaded machine or a sanitized build can
        // take that long between the move and the click of a single clickAt().
        if (isTooltip(events, e.window)) continue;
        if (std::find(allowed.begin(), allowed.end(), e.window) != allowed.end()) continue;
        if (allowedNames.contains(e.name)) continue;
        names << QStringLiteral("0x%1 \"%2\"").arg(e.window, 0, 16).arg(e.name);
    }
    return names;
}

bool BadInputTest::runAsNobody() {
    if (::geteuid() != 0) return false;
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) return false;
    // Its own home and settings, as they would be for a real user.
    for (const QString& dir : {player_->home(), player_->configHome()}) {
        QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        QStringList paths{dir};
        while (it.hasNext()) paths << it.next();
        for (const QString& path : paths) {
            if (::chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
                return false;
            }
        }
    }
    player_->setLauncher(
        {QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
         QStringLiteral("--regid=%1").arg(nobody->pw_gid), QStringLiteral("--clear-groups")});
    return true;
}

}  // namespace e2e
