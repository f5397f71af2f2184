// The player's own caption and borders under a window manager. Openbox must add no frame
// of its own; dragging the title bar, the bare control bar and the borders moves and sizes
// the window through openbox, one to one with the pointer; and a click or a double click
// on the caption stays a click: it never leaves the window following the pointer, and a
// double click maximises and restores.
#include "ManagedSession.h"
#include "WindowParts.h"

namespace e2e {
namespace {

using ManagedFrameTest = ManagedTest;

TEST_F(ManagedFrameTest, NoFrameAndTheBarsAndBordersMoveAndSizeTheWindow) {
    const QRect placed = centred(sized::ownSize());
    const QString caption = QStringLiteral("MoviraPlayer");
    ASSERT_NO_FATAL_FAILURE(startPlayer({}, caption, placed));
    expectNoFrame(placed);

    // Both bars move it; every step keeps clear of the screen's edges, where openbox
    // would hold the window back.
    const QRect start = geometry_;
    ASSERT_NO_FATAL_FAILURE(dragFollowed(sized::titleGrip(sized::ownSize()), {100, 60},
                                         [&](QPoint moved) { return start.translated(moved); }));
    const QRect moved = geometry_;
    ASSERT_NO_FATAL_FAILURE(dragFollowed(sized::controlGrip(sized::ownSize()), {-180, -90},
                                         [&](QPoint step) { return moved.translated(step); }));

    // The right border below the progress slider, and the left border beside the
    // picture, where the press lands on the video window and is passed to the player's.
    const QRect narrow = geometry_;
    ASSERT_NO_FATAL_FAILURE(
        dragFollowed(sized::rightBorderGrip(sized::ownSize()), {120, 0},
                     [&](QPoint step) { return narrow.adjusted(0, 0, step.x(), 0); }));
    const QRect widened = geometry_;
    ASSERT_NO_FATAL_FAILURE(
        dragFollowed({1, sized::video(sized::ownSize()).center().y()}, {-80, 0},
                     [&](QPoint step) { return widened.adjusted(step.x(), 0, 0, 0); }));

    // Shrunk far past its minimum from the bottom-right corner, it stops at the minimum
    // with the top-left corner in place.
    const QRect wide = geometry_;
    const QPoint corner(wide.width() - 3, wide.height() - 3);
    ASSERT_NO_FATAL_FAILURE(dragFollowed(corner, {-800, -600}, [&](QPoint step) {
        return QRect(wide.topLeft(),
                     QSize(std::max(wide.width() + step.x(), sized::minimumSize().width()),
                           std::max(wide.height() + step.y(), sized::minimumSize().height())));
    }));

    // Still frameless, and painted at the size it was given: the close button at the new
    // right edge, bare title bar between the title and the pin button.
    const QRect smallest = geometry_;
    expectNoFrame(smallest);
    const QRect close = onScreen(sized::closeButton(smallest.size()));
    const QRect bare = onScreen(QRect(110, 5, 60, 20));
    QImage last;
    const auto painted = screen_->grabUntil(
        QStringLiteral("smallest"),
        [&](const QImage& image) {
            return countUnlike(image, close, look::kBarColour) >= look::kIconPixels &&
                   checkUniform(image, bare, look::kBarColour).isEmpty();
        },
        10s, &last);
    EXPECT_TRUE(painted.has_value())
        << "close button pixels: " << countUnlike(last, close, look::kBarColour)
        << "; title bar: " << str(checkUniform(last, bare, look::kBarColour));
}

TEST_F(ManagedFrameTest, ClicksOnTheCaptionStayClicks) {
    const QRect placed = centred(sized::ownSize());
    const QString caption = QStringLiteral("MoviraPlayer");
    ASSERT_NO_FATAL_FAILURE(startPlayer({}, caption, placed));

    // A click on the title bar, then the pointer moves on along it: the window stays.
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::titleGrip(sized::ownSize())));
    const QPoint further = sized::titleGrip(sized::ownSize()) + QPoint(150, 0);
    ASSERT_TRUE(xdo_->mouseMove(onScreen(further))) << str(xdo_->lastError());

    // A double click there maximises to the work area, and another restores. Had the
    // click left the window following the pointer, it would have been moved by the time
    // it is restored.
    ASSERT_TRUE(xdo_->doubleClick()) << str(xdo_->lastError());
    expectMaximised(true);
    ASSERT_TRUE(awaitGeometry(workArea()))
        << "after a double click on the title bar the window stands at "
        << testing::PrintToString(geometry_);
    screen_->grab(QStringLiteral("maximised"));

    // The title bar is now at the top of the work area.
    ASSERT_TRUE(xdo_->mouseMove(onScreen(further))) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->doubleClick()) << str(xdo_->lastError());
    EXPECT_TRUE(awaitState(kMaxVert, false)) << "states: " << str(states());
    ASSERT_TRUE(awaitGeometry(placed))
        << "after a second double click the window stands at " << testing::PrintToString(geometry_);
    ASSERT_NO_FATAL_FAILURE(awaitWindow(caption, placed));
}

}  // namespace
}  // namespace e2e
