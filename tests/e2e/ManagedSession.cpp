#include "ManagedSession.h"

namespace e2e {

namespace {
// Bound for the window manager to carry out one request.
constexpr auto kManagerBound = 10s;
}  // namespace

void ManagedTest::SetUp() {
    ASSERT_NO_FATAL_FAILURE(MediaTest::SetUp());
    ewmh_ = std::make_unique<Ewmh>(server_->display());
    ASSERT_TRUE(ewmh_->connected()) << "cannot open display " << str(server_->display());
}

void ManagedTest::TearDown() {
    ewmh_.reset();
    MediaTest::TearDown();
}

bool ManagedTest::awaitState(const QString& state, bool present) {
    return pollUntil([&] { return ewmh_->states(window_).contains(state) == present; },
                     kManagerBound);
}

void ManagedTest::expectNoFrame(const QRect& expected) {
    EXPECT_EQ(ewmh_->outerGeometry(window_), expected) << "openbox's frame around the window";
    EXPECT_EQ(ewmh_->frameExtents(window_), QMargins()) << "_NET_FRAME_EXTENTS";
}

void ManagedTest::dragFollowed(QPoint from, QPoint delta,
                               const std::function<QRect(QPoint moved)>& expectedAt) {
    const QPoint start = onScreen(from);
    ASSERT_TRUE(xdo_->mouseMove(start)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseDown()) << str(xdo_->lastError());
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        const QPoint moved = delta * step / kSteps;
        const QRect expected = expectedAt(moved);
        bool first = true;
        const bool followed = pollUntil(
            [&] {
                // Aside and back before every look but the first: each look comes after a
                // fresh motion to the point.
                if (!first && !xdo_->mouseMove(start + moved + QPoint(1, 0))) return false;
                first = false;
                return xdo_->mouseMove(start + moved) && refreshGeometry() == expected;
            },
            kManagerBound, 50ms);
        if (!followed) xdo_->mouseUp();
        ASSERT_TRUE(followed) << "step " << step << " of the drag: the window stands at "
                              << testing::PrintToString(geometry_) << ", expected "
                              << testing::PrintToString(expected);
    }
    ASSERT_TRUE(xdo_->mouseUp()) << str(xdo_->lastError());
    ASSERT_TRUE(awaitGeometry(expectedAt(delta), kManagerBound))
        << "after the button came up the window stands at " << testing::PrintToString(geometry_);
}

}  // namespace e2e
