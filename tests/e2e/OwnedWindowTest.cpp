// The About window over a main window that stays on top, under a window manager. Pinned
// or fullscreen, the main window stands above every ordinary window; the About window,
// which blocks the main window while it is open, must still come above it, where it can
// be seen and closed. Beneath it, the player would take no input at all.
#include "AboutLayout.h"
#include "MainLayout.h"
#include "MediaSession.h"
#include "Poll.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

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
    OwnedWindowTest() { withWindowManager_ = true; }

    // Pins the window with its pin button and waits for the button's pinned look.
    void pin() {
        const QRect button = onScreen(sized::pinButton(size()));
        const QImage unpinned = screen_->grab(QStringLiteral("unpinned"));
        ASSERT_NO_FATAL_FAILURE(clickAt(sized::pinButton(size()).center()));
        ASSERT_TRUE(xdo_->mouseMove(onScreen(sized::bareControls(size()).center())))
            << str(xdo_->lastError());
        ASSERT_TRUE(screen_
                        ->grabUntil(
                            QStringLiteral("pinned"),
                            [&](const QImage& image) {
                                return countDifferences(unpinned, image, button) > 0;
                            },
                            10s)
                        .has_value())
            << "the pin button kept its look";
    }

    // Enters fullscreen with F11, then brings the bars back with the pointer at the top.
    void enterFullscreen() {
        ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("F11")));
        const QRect screen(0, 0, XServer::kWidth, XServer::kHeight);
        ASSERT_TRUE(pollUntil([&] { return currentGeometry() == screen; }, 10s))
            << "the window stands at " << testing::PrintToString(geometry_);
        ASSERT_TRUE(xdo_->mouseMove(QPoint(screen.center().x(), 2))) << str(xdo_->lastError());
        const QRect title = onScreen(sized::bareTitle(size()));
        QImage last;
        ASSERT_TRUE(screen_
                        ->grabUntil(
                            QStringLiteral("bars-back"),
                            [&](const QImage& image) {
                                return checkUniform(image, title, layout::kBarColour).isEmpty();
                            },
                            10s, &last)
                        .has_value())
            << "no title bar: " << str(checkUniform(last, title, layout::kBarColour));
    }

    QRect currentGeometry() {
        if (const auto rect = xdo_->geometry(window_)) geometry_ = *rect;
        return geometry_;
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
    const auto abouts = xdo_->waitForWindows(QStringLiteral("^About$"), 10s);
    ASSERT_EQ(abouts.size(), 1u) << "no About window; " << str(xdo_->lastError());
    const auto about = xdo_->geometry(abouts.front());
    ASSERT_TRUE(about.has_value()) << str(xdo_->lastError());

    const QRect strip = about::kBareStrip.translated(about->topLeft());
    QImage last;
    EXPECT_TRUE(screen_
                    ->grabUntil(
                        QStringLiteral("about"),
                        [&](const QImage& image) {
                            return checkUniform(image, strip, about::kColour).isEmpty();
                        },
                        10s, &last)
                    .has_value())
        << "the About window is not on top: " << str(checkUniform(last, strip, about::kColour));

    // Its close button is within reach, and closes it.
    ASSERT_TRUE(xdo_->mouseMove(about->topLeft() + about::kCloseButton)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->click()) << str(xdo_->lastError());
    EXPECT_TRUE(
        pollUntil([&] { return xdo_->visibleWindows(QStringLiteral("^About$")).empty(); }, 10s))
        << "the About window is still open";
}

INSTANTIATE_TEST_SUITE_P(OwnersOnTop, OwnedWindowTest,
                         ::testing::Values(OnTopCase{"Pinned", OnTop::Pinned},
                                           OnTopCase{"Fullscreen", OnTop::Fullscreen}),
                         [](const ::testing::TestParamInfo<OnTopCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace e2e
