// Pinning under a window manager: the pin button asks openbox to keep the window above
// the others, so an ordinary window that is activated over it stays beneath it; unpinned,
// the same window covers it again. The ordinary window is xmessage, a plain X client,
// painted magenta so that a screenshot tells which of the two is on top.
#include <algorithm>
#include <memory>

#include "ManagedSession.h"

namespace e2e {
namespace {

constexpr QRgb kCoverColour = 0xFF00FF;
const QString kCoverName = QStringLiteral("movira-cover");

class ManagedPinTest : public ManagedTest {
  protected:
    // Opens the ordinary window with its frame at `place`; use with ASSERT_NO_FATAL_FAILURE.
    void openCover(const QRect& place) {
        cover_ = std::make_unique<HelperProcess>(artifactDir_ + QStringLiteral("/xmessage.log"));
        QString error;
        ASSERT_TRUE(cover_->launch(QStringLiteral("xmessage"),
                                   {QStringLiteral("-name"), kCoverName, QStringLiteral("-bg"),
                                    hexColour(kCoverColour), QStringLiteral("-geometry"),
                                    QStringLiteral("%1x%2+%3+%4")
                                        .arg(place.width())
                                        .arg(place.height())
                                        .arg(place.x())
                                        .arg(place.y()),
                                    QStringLiteral("An ordinary window")},
                                   HelperProcess::onDisplay(server_->display()), 10s, &error))
            << str(error);
        ASSERT_NO_FATAL_FAILURE(
            awaitOnlyWindow(QLatin1Char('^') + kCoverName + QLatin1Char('$'), 20s, &coverWindow_));
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

    std::unique_ptr<HelperProcess> cover_;
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
    ASSERT_NO_FATAL_FAILURE(press(sized::pinButton(size())));
    ASSERT_TRUE(awaitState(kAbove, true)) << "states: " << str(states());
    ASSERT_TRUE(activateCover(QStringLiteral("pinned"), false));

    // Unpinned again, the state goes and the other window covers the player again.
    ASSERT_NO_FATAL_FAILURE(press(sized::pinButton(size())));
    ASSERT_TRUE(awaitState(kAbove, false)) << "states: " << str(states());
    ASSERT_TRUE(activateCover(QStringLiteral("covered-again"), true));
    EXPECT_EQ(xdo_->geometry(window_), placed) << "pinning moved the window";
}

}  // namespace
}  // namespace e2e
