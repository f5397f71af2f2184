// Start-up without the mpv library: the user is told twice, in order, and the process
// ends without a window or a settings folder of its own.
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <map>

#include "Session.h"

namespace e2e {
namespace {

// What the user saw, in order: each window shown with its name, a renaming while it was
// shown, and "(hidden)" once it went away. Tells one box after the other from two boxes at
// once, and catches a main window however briefly it was shown. (Windows that are never
// shown do not count: Qt keeps hidden helper windows named after the application.)
QStringList showings(const std::vector<WindowEvent>& events) {
    QStringList story;
    std::map<unsigned long, QString> shown;
    for (const WindowEvent& e : events) {
        const auto it = shown.find(e.window);
        if (e.kind == WindowEvent::Mapped) {
            shown[e.window] = e.name;
            story << e.name;
        } else if (it == shown.end()) {
            continue;
        } else if (e.kind == WindowEvent::Named && e.name != it->second) {
            story << QStringLiteral("%1 renamed %2").arg(it->second, e.name);
            it->second = e.name;
        } else if (e.kind == WindowEvent::Unmapped || e.kind == WindowEvent::Destroyed) {
            story << it->second + QStringLiteral(" (hidden)");
            shown.erase(it);
        }
    }
    return story;
}

// Anything called MoviraPlayer anywhere below `dir`.
QStringList playerFolders(const QString& dir) {
    QStringList found;
    QDirIterator it(dir, {QStringLiteral("MoviraPlayer")}, QDir::AllEntries | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) found << it.next();
    return found;
}

class EngineMissingTest : public Session {
  protected:
    // Waits for the visible box captioned `caption`, then answers it with Return.
    void dismissBox(const QString& caption) {
        SCOPED_TRACE(str(caption));
        WindowId box = 0;
        ASSERT_NO_FATAL_FAILURE(
            awaitOnlyWindow(QLatin1Char('^') + caption + QLatin1Char('$'), 30s, &box));
        screen_->grab(QStringLiteral("box"));
        ASSERT_TRUE(xdo_->focus(box)) << str(xdo_->lastError());
        ASSERT_TRUE(xdo_->key(QStringLiteral("Return"))) << str(xdo_->lastError());
        const bool gone = watcher_.waitFor(
            [&](const std::vector<WindowEvent>& events) {
                return std::any_of(events.begin(), events.end(), [&](const WindowEvent& e) {
                    return e.window == box &&
                           (e.kind == WindowEvent::Unmapped || e.kind == WindowEvent::Destroyed);
                });
            },
            10s);
        ASSERT_TRUE(gone) << "the box stayed after Return";
    }
};

TEST_F(EngineMissingTest, TwoBoxesInOrderThenExitWithoutWindowOrSettings) {
    ASSERT_NO_FATAL_FAILURE(watchWindows());
    preparePlayer();
    const QString refusals = player_->home() + QStringLiteral("/../refused-libraries.txt");
    player_->setEnv(QStringLiteral("LD_PRELOAD"), QStringLiteral(MOVIRA_NO_MPV_SHIM));
    player_->setEnv(QStringLiteral("NO_MPV_SHIM_LOG"), refusals);
    // A sanitizer build insists on being first in the preload list; the shim is harmless.
    player_->setEnv(
        QStringLiteral("ASAN_OPTIONS"),
        qEnvironmentVariable("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
    QString error;
    ASSERT_TRUE(player_->start({}, &error)) << str(error);

    ASSERT_NO_FATAL_FAILURE(dismissBox(QStringLiteral("失败")));
    ASSERT_NO_FATAL_FAILURE(dismissBox(QStringLiteral("错误")));

    ASSERT_NO_FATAL_FAILURE(expectExit(255));

    // The current library name first, then the older one, each once.
    QFile tried(refusals);
    ASSERT_TRUE(tried.open(QIODevice::ReadOnly)) << "the program never asked for libmpv";
    EXPECT_EQ(QString::fromUtf8(tried.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("libmpv.so.2"), QStringLiteral("libmpv.so.1")}));

    watcher_.stop();
    const auto events = watcher_.events();
    EXPECT_EQ(showings(events),
              (QStringList{QStringLiteral("失败"), QStringLiteral("失败 (hidden)"),
                           QStringLiteral("错误"), QStringLiteral("错误 (hidden)")}))
        << str(describe(events));

    EXPECT_EQ(playerFolders(player_->home()), QStringList());
    EXPECT_EQ(playerFolders(player_->configHome()), QStringList());
}

}  // namespace
}  // namespace e2e
