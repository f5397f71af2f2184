#include "Session.h"

#include <QDir>

#include "WindowParts.h"

namespace e2e {

void Session::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    artifactDir_ =
        QStringLiteral("%1/%2.%3")
            .arg(QStringLiteral(MOVIRA_E2E_ARTIFACTS), QString::fromLatin1(info->test_suite_name()),
                 QString::fromLatin1(info->name()));
    QDir(artifactDir_).removeRecursively();  // left over from an earlier failed run
    ASSERT_TRUE(QDir().mkpath(artifactDir_));

    server_ = std::make_unique<XServer>(artifactDir_ + QStringLiteral("/xvfb.log"));
    QString error;
    ASSERT_TRUE(server_->start(&error)) << str(error);
    if (desktop_.windowManager) {
        windowManager_ = std::make_unique<WindowManager>(
            server_->display(), artifactDir_ + QStringLiteral("/openbox"),
            artifactDir_ + QStringLiteral("/openbox.log"));
        windowManager_->reserveBottom(desktop_.reservedBottom);
        ASSERT_TRUE(windowManager_->start(&error)) << str(error);
    }
    xdo_ = std::make_unique<Xdo>(server_->display());
    screen_ = std::make_unique<Screen>(server_->display(), artifactDir_);
}

void Session::TearDown() {
    const bool keep = HasFailure();
    watcher_.stop();
    if (keep && !watcher_.events().empty()) {
        std::cerr << "windows:\n" << str(describe(watcher_.events())) << '\n';
    }
    if (player_ != nullptr) {
        if (keep) std::cerr << "player output:\n" << str(player_->log()) << '\n';
        player_.reset();
    }
    windowManager_.reset();
    xdo_.reset();
    screen_.reset();
    server_.reset();
    if (keep) {
        std::cerr << "screenshots and logs kept in " << str(artifactDir_) << '\n';
    } else {
        QDir(artifactDir_).removeRecursively();
    }
}

void Session::preparePlayer() {
    player_ = std::make_unique<PlayerProcess>(server_->display(), artifactDir_);
}

void Session::watchWindows() {
    QString error;
    ASSERT_TRUE(watcher_.start(server_->display(), &error)) << str(error);
}

QRect Session::workArea() const {
    if (windowManager_) return windowManager_->workArea();
    return XServer::kScreen;
}

QRect Session::refreshGeometry() {
    if (const auto rect = xdo_->geometry(window_)) geometry_ = *rect;
    return geometry_;
}

bool Session::awaitGeometry(const QRect& expected, std::chrono::milliseconds bound) {
    return pollUntil([&] { return refreshGeometry() == expected; }, bound);
}

QString Session::awaitUniform(const QString& label, const QList<QRect>& areas, QRgb colour,
                              std::chrono::milliseconds bound, QImage* last) {
    const auto unlike = [&](const QImage& image) {
        QStringList found;
        for (const QRect& area : areas) {
            const QString wrong = checkUniform(image, area, colour);
            if (!wrong.isEmpty()) found << wrong;
        }
        return found.join(QStringLiteral("; "));
    };
    QImage shot;
    const auto uniform = screen_->grabUntil(
        label, [&](const QImage& image) { return unlike(image).isEmpty(); }, bound, &shot);
    if (last != nullptr) *last = shot;
    return uniform ? QString() : unlike(shot);
}

void Session::awaitOnlyWindow(const QString& regex, std::chrono::milliseconds bound,
                              WindowId* window, QRect* rect) {
    const auto windows = xdo_->waitForWindows(regex, bound);
    ASSERT_EQ(windows.size(), 1u) << "visible windows captioned " << str(regex) << "; "
                                  << str(xdo_->lastError());
    if (window != nullptr) *window = windows.front();
    if (rect == nullptr) return;
    const auto placed = xdo_->geometry(windows.front());
    ASSERT_TRUE(placed.has_value()) << str(xdo_->lastError());
    *rect = *placed;
}

bool Session::awaitNoWindow(const QString& regex) {
    return pollUntil([&] { return xdo_->visibleWindows(regex).empty(); }, 10s);
}

void Session::clickScreen(QPoint screenPos) {
    ASSERT_TRUE(xdo_->mouseMove(screenPos)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->click()) << str(xdo_->lastError());
}

void Session::pressAndMove(QPoint from, QPoint to, int steps) {
    ASSERT_TRUE(xdo_->mouseMove(from)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseDown()) << str(xdo_->lastError());
    for (int step = 1; step <= steps; ++step) {
        ASSERT_TRUE(xdo_->mouseMove(from + (to - from) * step / steps)) << str(xdo_->lastError());
    }
}

void Session::expectExit(int code) {
    const auto exit = player_->waitForExit(20s);
    ASSERT_TRUE(exit.has_value()) << "the player is still running";
    EXPECT_FALSE(exit->crashed) << "the player was killed by a signal";
    EXPECT_EQ(exit->code, code);
}

void MainWindowTest::launch(const QStringList& arguments, const QString& captionRegex) {
    preparePlayer();
    QString error;
    ASSERT_TRUE(player_->start(arguments, &error)) << str(error);
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(captionRegex, 30s, &window_));
    currentGeometry();
    ASSERT_FALSE(geometry_.isEmpty());

    // Shown is not yet painted: wait until both bars carry their colour.
    const QString unpainted = awaitUniform(QStringLiteral("first-paint"),
                                           {onScreen(sized::emptyTitle(sized::ownSize())),
                                            onScreen(sized::bareControls(sized::ownSize()))},
                                           look::kBarColour, 15s);
    ASSERT_TRUE(unpainted.isEmpty()) << "the bars never showed their colour: " << str(unpainted);
}

QRect MainWindowTest::currentGeometry() {
    const auto rect = xdo_->geometry(window_);
    EXPECT_TRUE(rect.has_value()) << str(xdo_->lastError());
    if (rect) geometry_ = *rect;
    return geometry_;
}

void MainWindowTest::drag(QPoint from, QPoint delta) {
    ASSERT_NO_FATAL_FAILURE(pressAndMove(onScreen(from), onScreen(from) + delta, 4));
    ASSERT_TRUE(xdo_->mouseUp()) << str(xdo_->lastError());
}

}  // namespace e2e
