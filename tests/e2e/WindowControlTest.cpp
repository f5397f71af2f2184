// Closing, moving and resizing the frameless main window with the mouse. There is no
// window manager on this display, so the player has to do the moving and sizing itself.
#include "Session.h"
#include "WindowParts.h"

namespace e2e {
namespace {

TEST_F(MainWindowTest, CloseButtonEndsTheProcessWithSuccess) {
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(clickScreen(onScreen(sized::closeButton(sized::ownSize()).center())));
    ASSERT_NO_FATAL_FAILURE(expectExit());
}

class MainWindowGeometryTest : public MainWindowTest {
  protected:
    // Waits until the window's geometry is `expected`; reports the last one seen.
    void expectGeometry(const QRect& expected) {
        const bool reached = pollUntil([&] { return currentGeometry() == expected; }, 5s);
        EXPECT_TRUE(reached) << "expected " << testing::PrintToString(expected) << ", got "
                             << testing::PrintToString(geometry_);
    }
};

TEST_F(MainWindowGeometryTest, DraggingTheBarsMovesTheWindow) {
    ASSERT_NO_FATAL_FAILURE(launch());
    const QRect start = geometry_;

    ASSERT_NO_FATAL_FAILURE(drag(sized::titleGrip(sized::ownSize()), {100, 60}));
    expectGeometry(start.translated(100, 60));

    // Empty space in the control bar is a handle too.
    const QRect moved = geometry_;
    ASSERT_NO_FATAL_FAILURE(drag(sized::controlGrip(sized::ownSize()), {-180, -90}));
    expectGeometry(moved.translated(-180, -90));
}

TEST_F(MainWindowGeometryTest, BordersResizeDownToTheMinimumSize) {
    ASSERT_NO_FATAL_FAILURE(launch());
    const QRect start = geometry_;

    ASSERT_NO_FATAL_FAILURE(drag(sized::rightBorderGrip(sized::ownSize()), {120, 0}));
    expectGeometry(start.adjusted(0, 0, 120, 0));

    // The layout follows the new width: the title-bar buttons move to the new right edge
    // and bare title bar fills the place they left.
    const QRect vacated = onScreen(QRect(sized::pinButton(sized::ownSize()).x(), 4, 110, 22));
    const QRect movedClose = onScreen(sized::closeButton(sized::ownSize()).translated(120, 0));
    QImage last;
    const bool relaidOut =
        screen_
            ->grabUntil(
                QStringLiteral("widened"),
                [&](const QImage& image) {
                    return checkUniform(image, vacated, look::kBarColour).isEmpty() &&
                           countUnlike(image, movedClose, look::kBarColour) >= look::kIconPixels;
                },
                5s, &last)
            .has_value();
    EXPECT_TRUE(relaidOut) << "where the buttons were: "
                           << str(checkUniform(last, vacated, look::kBarColour))
                           << "; close button pixels at the new edge: "
                           << countUnlike(last, movedClose, look::kBarColour);

    // Shrinking far past the minimum stops at it, with the top-left corner in place.
    ASSERT_NO_FATAL_FAILURE(drag({geometry_.width() - 3, geometry_.height() - 3}, {-800, -600}));
    expectGeometry(QRect(start.topLeft(), sized::minimumSize()));
}

}  // namespace
}  // namespace e2e
