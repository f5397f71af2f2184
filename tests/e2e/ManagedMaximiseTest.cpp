// Maximising through the window manager: the maximise button asks openbox, which gives the
// window its work area (the screen less the task bar's band) and the restore button brings
// the old rectangle back. Fullscreen from a maximised window covers the whole screen, band
// included, above other windows, and Escape returns to the maximised window, which the
// restore button still takes back to its old rectangle.
#include "ManagedSession.h"

namespace e2e {
namespace {

class ManagedMaximiseTest : public ManagedTest {
  protected:
    // The maximise button, or the restore button in its place.
    void clickMaxOrRestore() { press(sized::maxButton(size())); }
};

TEST_F(ManagedMaximiseTest, MaximiseFillsTheWorkAreaAndRestoreAndFullscreenComeBack) {
    const QString title = media::title(media::kBars);
    const QRect windowed = centred(media::kBarsWindow.size());
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, windowed));

    // Maximised: the work area, painted at that size, no frame.
    ASSERT_NO_FATAL_FAILURE(clickMaxOrRestore());
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, workArea()));
    expectMaximised(true);
    expectNoFrame(workArea());

    // Restored: the old rectangle.
    ASSERT_NO_FATAL_FAILURE(clickMaxOrRestore());
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, windowed));
    expectMaximised(false);

    // Fullscreen from maximised covers the whole screen, above other windows; Escape
    // returns to the maximised window, no longer above.
    ASSERT_NO_FATAL_FAILURE(clickMaxOrRestore());
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, workArea()));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("F11")));
    EXPECT_TRUE(awaitGeometry(XServer::kScreen))
        << "fullscreen stands at " << testing::PrintToString(geometry_);
    EXPECT_TRUE(awaitState(kAbove, true)) << "states: " << str(states());
    screen_->grab(QStringLiteral("fullscreen"));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Escape")));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, workArea()));
    expectMaximised(true);
    EXPECT_TRUE(awaitState(kAbove, false)) << "states: " << str(states());

    // Restore still knows the rectangle from before maximising.
    ASSERT_NO_FATAL_FAILURE(clickMaxOrRestore());
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, windowed));
    expectMaximised(false);
}

}  // namespace
}  // namespace e2e
