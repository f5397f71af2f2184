// The About window over a main window that stays on top, under a window manager. Pinned
// or fullscreen, the main window stands above every ordinary window; the About window,
// which blocks the main window while it is open, must still come above it, where it can
// be seen and closed. Beneath it, the player would take no input at all.
#include "MediaSession.h"
#include "WindowParts.h"

namespace e2e {
namespace {

enum class OnTop { Pinned, Fullscreen };

struct OnTopCase {
    const char* name;
    OnTop how;
};
// Failure messages name the case rather than dump its bytes.
void PrintTo(const OnTopCase& c, std::ostream* os) { *os << c.name; }

class OwnedWindowTest : public MediaTest, public ::testing::WithParamInterface<OnTopCase> {
  protected:
    // Openbox keeps owned windows above their owner, which is what is checked here.
    OwnedWindowTest() { desktop_ = kOpenboxWithoutTaskBar; }

    // Pins the window with its pin button and waits for the button's pinned look.
    void pin() {
        const QImage unpinned = screen_->grab(QStringLiteral("unpinned"));
        ASSERT_NO_FATAL_FAILURE(press(sized::pinButton(size())));
        ASSERT_TRUE(awaitLook(QStringLiteral("pinned"), sized::pinButton(size()), unpinned, false))
            << "the pin button kept its look";
    }

    // Enters fullscreen with F11, then brings the bars back with the pointer at the top.
    void enterFullscreen() {
        ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("F11")));
        ASSERT_TRUE(awaitGeometry(XServer::kScreen))
            << "the window stands at " << testing::PrintToString(geometry_);
        ASSERT_TRUE(xdo_->mouseMove(QPoint(XServer::kScreen.center().x(), 2)))
            << str(xdo_->lastError());
        const QString bare =
            awaitUniform(QStringLiteral("bars-back"), {onScreen(sized::bareTitle(size()))},
                         look::kBarColour, 10s);
        ASSERT_TRUE(bare.isEmpty()) << "no title bar: " << str(bare);
    }
};

TEST_P(OwnedWindowTest, AboutWindowOpensAboveTheMainWindowAndCloses) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    if (GetParam().how == OnTop::Pinned) {
        ASSERT_NO_FATAL_FAILURE(pin());
    } else {
        ASSERT_NO_FATAL_FAILURE(enterFullscreen());
    }

    ASSERT_NO_FATAL_FAILURE(clickAt(sized::menuButton(size()).center()));
    QRect about;
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^About$"), 10s, nullptr, &about));
    const QString covered =
        awaitUniform(QStringLiteral("about"), {about::bareStrip().translated(about.topLeft())},
                     look::kAboutColour, 10s);
    EXPECT_TRUE(covered.isEmpty()) << "the About window is not on top: " << str(covered);

    // Its close button is within reach, and closes it.
    ASSERT_NO_FATAL_FAILURE(clickScreen(about.topLeft() + about::closePoint()));
    EXPECT_TRUE(awaitNoWindow(QStringLiteral("^About$"))) << "the About window is still open";
}

INSTANTIATE_TEST_SUITE_P(OwnersOnTop, OwnedWindowTest,
                         ::testing::Values(OnTopCase{"Pinned", OnTop::Pinned},
                                           OnTopCase{"Fullscreen", OnTop::Fullscreen}),
                         CaseName());

}  // namespace
}  // namespace e2e
