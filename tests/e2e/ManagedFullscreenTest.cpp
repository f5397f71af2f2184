// Fullscreen from a maximised window on a desktop without a task bar, where maximised
// already covers the whole screen. Leaving the maximised state, the window manager gives
// the window back its old rectangle after the player has fitted it to the screen; the
// window must still end up covering the screen, not small with its bars hidden.
#include "ManagedSession.h"
#include "Picture.h"
#include "WindowParts.h"

namespace e2e {
namespace {

class ManagedFullscreenTest : public ManagedTest {
  protected:
    ManagedFullscreenTest() { desktop_ = kOpenboxWithoutTaskBar; }
};

TEST_F(ManagedFullscreenTest, FullscreenFromMaximisedCoversAScreenWithoutTaskBar) {
    const QString title = media::title(media::kBars);
    const QRect windowed = centred(media::kBarsWindow.size());
    const QRect screen = XServer::kScreen;
    ASSERT_EQ(workArea(), screen);
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, windowed));

    ASSERT_NO_FATAL_FAILURE(clickAt(sized::maxButton(size()).center()));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, screen));
    ASSERT_TRUE(awaitState(kMaxVert, true)) << "states: " << str(states());

    // Fullscreen: above the rest, the bars hidden and the picture over most of the screen,
    // in three screenshots in a row, since a window manager that gives the window back its
    // old rectangle does so a moment after the window has been fitted to the screen.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("F11")));
    EXPECT_TRUE(awaitState(kAbove, true)) << "states: " << str(states());
    const QRect topBand(0, 0, screen.width(), sized::titleHeight());
    const int half = screen.width() * screen.height() / 2;
    const auto covers = [&](const QImage& image) {
        return checkUniform(image, topBand, look::kVideoColour, 8).isEmpty() &&
               picture::countColourful(image, screen) > half;
    };
    int inRow = 0;
    QImage last;
    const bool filled = screen_
                            ->grabUntil(
                                QStringLiteral("fullscreen"),
                                [&](const QImage& image) {
                                    inRow = covers(image) ? inRow + 1 : 0;
                                    return inRow == 3;
                                },
                                10s, &last)
                            .has_value();
    EXPECT_TRUE(filled) << "the picture covers " << picture::countColourful(last, screen)
                        << " pixels, the top band: "
                        << str(checkUniform(last, topBand, look::kVideoColour, 8))
                        << "; the window stands at "
                        << testing::PrintToString(xdo_->geometry(window_).value_or(QRect()));

    // Escape gives back the maximised window, and restore its old rectangle.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Escape")));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, screen));
    EXPECT_TRUE(awaitState(kMaxVert, true)) << "states: " << str(states());
    EXPECT_TRUE(awaitState(kAbove, false)) << "states: " << str(states());
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::maxButton(size()).center()));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(title, windowed));
}

}  // namespace
}  // namespace e2e
