// Start-up without the mpv library: the user is told twice, in order, in the desktop's
// language (the boxes are read as a screen reader reads them), and the process ends without
// a window or a settings folder of its own.
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <map>
#include <memory>

#include "Session.h"
#include "SessionBus.h"

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

// What each language's boxes say; %1 stands for the loader's errors.
struct BoxesCase {
    const char* name;
    const char* lang;
    const char* failedCaption;
    const char* failedText;
    const char* missingCaption;
    const char* missingText;
};
void PrintTo(const BoxesCase& c, std::ostream* os) { *os << c.name; }

class EngineMissingTest : public Session, public ::testing::WithParamInterface<BoxesCase> {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Session::SetUp());
        ASSERT_NO_FATAL_FAILURE(StartSessionBus(artifactDir_, &bus_));
        ASSERT_TRUE(bus_->enableAccessibility())
            << "the accessibility bus did not start (at-spi2-core)";
    }
    void TearDown() override {
        Session::TearDown();
        bus_.reset();
    }

    // Waits for the visible box captioned `caption`, reads its text into `text`, then
    // answers it with Return.
    void readAndDismissBox(const QString& caption, QString* text) {
        SCOPED_TRACE(str(caption));
        WindowId box = 0;
        ASSERT_NO_FATAL_FAILURE(
            awaitOnlyWindow(QLatin1Char('^') + caption + QLatin1Char('$'), 30s, &box));
        screen_->grab(QStringLiteral("box"));
        bool read = false;
        *text = bus_->run(QStringLiteral("/usr/bin/python3"),
                          {QStringLiteral(MOVIRA_BOX_READER), caption}, &read, server_->display());
        EXPECT_TRUE(read) << str(*text);
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

    std::unique_ptr<SessionBus> bus_;
};

TEST_P(EngineMissingTest, TwoBoxesInOrderThenExitWithoutWindowOrSettings) {
    const BoxesCase& c = GetParam();
    const QString failedCaption = QString::fromUtf8(c.failedCaption);
    const QString missingCaption = QString::fromUtf8(c.missingCaption);
    ASSERT_NO_FATAL_FAILURE(watchWindows());
    preparePlayer();
    const QString refusals = player_->home() + QStringLiteral("/../refused-libraries.txt");
    player_->setEnv(QStringLiteral("LANG"), QString::fromLatin1(c.lang));
    player_->setEnv(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_->address());
    player_->setEnv(QStringLiteral("LD_PRELOAD"), QStringLiteral(MOVIRA_NO_MPV_SHIM));
    player_->setEnv(QStringLiteral("NO_MPV_SHIM_LOG"), refusals);
    // A sanitizer build insists on being first in the preload list; the shim is harmless.
    player_->setEnv(
        QStringLiteral("ASAN_OPTIONS"),
        qEnvironmentVariable("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
    QString error;
    ASSERT_TRUE(player_->start({}, &error)) << str(error);

    QString failedText;
    QString missingText;
    ASSERT_NO_FATAL_FAILURE(readAndDismissBox(failedCaption, &failedText));
    ASSERT_NO_FATAL_FAILURE(readAndDismissBox(missingCaption, &missingText));

    ASSERT_NO_FATAL_FAILURE(expectExit(255));

    // The loader's own words for each name tried, the current one first, then the older one.
    const QString errors = QStringLiteral(
        "libmpv.so.2: cannot open shared object file: No such file or directory\n"
        "libmpv.so.1: cannot open shared object file: No such file or directory");
    EXPECT_EQ(failedText, QString::fromUtf8(c.failedText).arg(errors));
    EXPECT_EQ(missingText, QString::fromUtf8(c.missingText));

    // Each name once.
    QFile tried(refusals);
    ASSERT_TRUE(tried.open(QIODevice::ReadOnly)) << "the program never asked for libmpv";
    EXPECT_EQ(QString::fromUtf8(tried.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("libmpv.so.2"), QStringLiteral("libmpv.so.1")}));

    watcher_.stop();
    const auto events = watcher_.events();
    EXPECT_EQ(showings(events),
              (QStringList{failedCaption, failedCaption + QStringLiteral(" (hidden)"),
                           missingCaption, missingCaption + QStringLiteral(" (hidden)")}))
        << str(describe(events));

    EXPECT_EQ(playerFolders(player_->home()), QStringList());
    EXPECT_EQ(playerFolders(player_->configHome()), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, EngineMissingTest,
    ::testing::Values(
        BoxesCase{"English", "C.UTF-8", "Playback library not loaded",
                  "The playback library could not be loaded:\n%1", "MoviraPlayer cannot start",
                  "MoviraPlayer cannot start without its playback library, libmpv (libmpv.so.2), "
                  "which was not found.\n\nInstall libmpv (on Debian and Ubuntu, the package "
                  "libmpv2), or put libmpv.so.2 in the program's folder, then start MoviraPlayer "
                  "again."},
        BoxesCase{"Chinese", "zh_CN.UTF-8", "失败", "错误码: %1", "错误",
                  "找不到 libmpv.so.2，请确保它和程序在同一目录"}),
    CaseName());

}  // namespace
}  // namespace e2e
