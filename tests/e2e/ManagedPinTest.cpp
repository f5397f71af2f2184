// Pinning under a window manager: the pin button asks openbox to keep the window above
// the others, so an ordinary window that is activated over it stays beneath it; unpinned,
// the same window covers it again. The ordinary window is xmessage, a plain X client,
// painted magenta so that a screenshot tells which of the two is on top.
#include <QProcess>
#include <algorithm>

#include "ManagedSession.h"
#include "Poll.h"
#include "StopProcess.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

constexpr QRgb kCoverColour = 0xFF00FF;
const QString kCoverName = QStringLiteral("movira-cover");
const QString kAbove = QStringLiteral("_NET_WM_STATE_ABOVE");

class ManagedPinTest : public ManagedTest {
  protected:
    void TearDown() override {
        StopProcess(cover_);
        ManagedTest::TearDown();
    }

    // Opens the ordinary window with its frame at `place`; use with ASSERT_NO_FATAL_FAILURE.
    void openCover(const QRect& place) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), server_->display());
        env.remove(QStringLiteral("XAUTHORITY"));
        cover_.setProcessEnvironment(env);
        cover_.setProcessChannelMode(QProcess::MergedChannels);
        cover_.setStandardOutputFile(artifactDir_ + QStringLiteral("/xmessage.log"));
        cover_.start(QStringLiteral("xmessage"),
                     {QStringLiteral("-name"), kCoverName, QStringLiteral("-bg"),
                      hexColour(kCoverColour), QStringLiteral("-geometry"),
                      QStringLiteral("%1x%2+%3+%4")
                          .arg(place.width())
                          .arg(place.height())
                          .arg(place.x())
                          .arg(place.y()),
                      QStringLiteral("An ordinary window")});
        ASSERT_TRUE(cover_.waitForStarted(10000)) << str(cover_.errorString());
        const auto windows =
            xdo_->waitForWindows(QLatin1Char('^') + kCoverName + QLatin1Char('$'), 20s);
        ASSERT_EQ(windows.size(), 1u) << "no xmessage window; " << str(xdo_->lastError());
        coverWindow_ = windows.front();
        const auto outer = ewmh_->outerGeometry(coverWindow_);
        ASSERT_TRUE(outer.has_value());
        overlap_ = outer->intersected(videoArea());
        ASSERT_GT(overlap_.width() * overlap_.height(), 10000) << "the windows hardly overlap";
    }

    // Whether the ordinary window stands above the player in openbox's stacking order.
    bool coverAbove() {
        const auto order = ewmh_->stacking();
        const auto cover = std::find(order.begin(), order.end(), coverWindow_);
        const auto player = std::find(order.begin(), order.end(), window_);
        return cover != order.end() && player != order.end() && cover > player;
    }

    // Activates the ordinary window, as a click on it in a task bar would, and waits until
    // openbox has stacked the two windows as `coverOnTop` says and the screen shows it:
    // most of the shared area magenta, or none of it.
    bool activateCover(const QString& label, bool coverOnTop) {
        if (!xdo_->activate(coverWindow_)) {
            ADD_FAILURE() << str(xdo_->lastError());
            return false;
        }
        if (!pollUntil([&] { return coverAbove() == coverOnTop; }, 10s)) {
            ADD_FAILURE() << "openbox stacked the ordinary window "
                          << (coverOnTop ? "below" : "above") << " the player";
            return false;
        }
        const int area = overlap_.width() * overlap_.height();
        int magenta = 0;
        const auto shown = screen_->grabUntil(
            label,
            [&](const QImage& image) {
                magenta = countPixels(image, overlap_, [](QRgb pixel) {
                    return colourDistance(pixel, kCoverColour) <= 8;
                });
                return coverOnTop ? magenta >= area / 2 : magenta == 0;
            },
            10s);
        EXPECT_TRUE(shown.has_value())
            << magenta << " of the " << area << " pixels the windows share are magenta";
        return shown.has_value();
    }

    void clickPin() {
        ASSERT_NO_FATAL_FAILURE(clickAt(sized::pinButton(size()).center()));
        // Off the button again, so that it shows its normal image.
        ASSERT_TRUE(xdo_->mouseMove(onScreen(sized::bareControls(size()).center())))
            << str(xdo_->lastError());
    }

    QProcess cover_;
    WindowId coverWindow_ = 0;
    QRect overlap_;  // on the screen, inside the player's video area
};

TEST_F(ManagedPinTest, PinnedTheWindowStaysAboveAnActivatedWindowAndUnpinnedItDoesNot) {
    const QRect placed = centred({800, 600});
    ASSERT_NO_FATAL_FAILURE(startPlayer({}, QStringLiteral("MoviraPlayer"), placed));
    EXPECT_FALSE(ewmh_->states(window_).contains(kAbove)) << "above before any pin";

    // Unpinned, the ordinary window covers the player once activated.
    ASSERT_NO_FATAL_FAILURE(openCover(geometry_.adjusted(200, 220, -200, -180)));
    ASSERT_TRUE(activateCover(QStringLiteral("covered-unpinned"), true));

    // Pinned: openbox holds the player above, and activating the other window leaves it
    // beneath, though it has the focus.
    ASSERT_NO_FATAL_FAILURE(clickPin());
    ASSERT_TRUE(awaitState(kAbove, true)) << "states: " << str(states());
    ASSERT_TRUE(activateCover(QStringLiteral("pinned"), false));

    // Unpinned again, the state goes and the other window covers the player again.
    ASSERT_NO_FATAL_FAILURE(clickPin());
    ASSERT_TRUE(awaitState(kAbove, false)) << "states: " << str(states());
    ASSERT_TRUE(activateCover(QStringLiteral("covered-again"), true));
    EXPECT_EQ(xdo_->geometry(window_), placed) << "pinning moved the window";
}

}  // namespace
}  // namespace e2e
