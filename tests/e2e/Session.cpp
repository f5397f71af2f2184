#include "Session.h"

#include <QDir>

#include "MainLayout.h"
#include "Poll.h"

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
    if (withWindowManager_) {
        windowManager_ = std::make_unique<WindowManager>(
            server_->display(), artifactDir_ + QStringLiteral("/openbox"),
            artifactDir_ + QStringLiteral("/openbox.log"));
        windowManager_->reserveBottom(reservedBottom_);
        ASSERT_TRUE(windowManager_->start(&error)) << str(error);
    }
    xdo_ = std::make_unique<Xdo>(server_->display());
    screen_ = std::make_unique<Screen>(server_->display(), artifactDir_);
}

void Session::TearDown() {
    const bool keep = HasFailure();
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

QRect Session::workArea() const {
    if (windowManager_) return windowManager_->workArea();
    return {0, 0, XServer::kWidth, XServer::kHeight};
}

void Session::preparePlayer() {
    player_ = std::make_unique<PlayerProcess>(server_->display(), artifactDir_);
}

void MainWindowTest::launch(const QStringList& arguments, const QString& captionRegex) {
    preparePlayer();
    QString error;
    ASSERT_TRUE(player_->start(arguments, &error)) << str(error);

    const auto windows = xdo_->waitForWindows(captionRegex, 30s);
    ASSERT_EQ(windows.size(), 1u) << "visible windows captioned " << str(captionRegex) << "; "
                                  << str(xdo_->lastError());
    window_ = windows.front();
    geometry_ = currentGeometry();
    ASSERT_FALSE(geometry_.isEmpty());

    // Shown is not yet painted: wait until both bars carry their colour.
    const QRect titleSpot = toScreen(layout::kBareTitle);
    const QRect controlSpot = toScreen(layout::kBareControls);
    QImage last;
    const auto painted = screen_->grabUntil(
        QStringLiteral("first-paint"),
        [&](const QImage& image) {
            return checkUniform(image, titleSpot, layout::kBarColour).isEmpty() &&
                   checkUniform(image, controlSpot, layout::kBarColour).isEmpty();
        },
        15s, &last);
    ASSERT_TRUE(painted.has_value())
        << "the bars never showed " << str(hexColour(layout::kBarColour)) << ": title bar "
        << str(checkUniform(last, titleSpot, layout::kBarColour)) << "; control bar "
        << str(checkUniform(last, controlSpot, layout::kBarColour));
}

QRect MainWindowTest::currentGeometry() {
    const auto rect = xdo_->geometry(window_);
    EXPECT_TRUE(rect.has_value()) << str(xdo_->lastError());
    if (rect) geometry_ = *rect;
    return geometry_;
}

void MainWindowTest::drag(QPoint from, QPoint delta) {
    const QPoint start = toScreen(from);
    ASSERT_TRUE(xdo_->mouseMove(start)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseDown()) << str(xdo_->lastError());
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        ASSERT_TRUE(xdo_->mouseMove(start + delta * step / kSteps)) << str(xdo_->lastError());
    }
    ASSERT_TRUE(xdo_->mouseUp()) << str(xdo_->lastError());
}

}  // namespace e2e
