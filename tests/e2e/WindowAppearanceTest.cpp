// The main window as it first appears with nothing loaded, and how its buttons answer
// the pointer.
#include <QColor>
#include <vector>

#include "MainLayout.h"
#include "Session.h"

namespace e2e {
namespace {

namespace L = layout;

struct NamedRect {
    const char* name;
    QRect rect;
};

const std::vector<NamedRect>& imageControls() {
    static const std::vector<NamedRect> controls = {
        {"menubtn", L::kMenuButton},
        {"pinbtn", L::kPinButton},
        {"minbtn", L::kMinButton},
        {"maxbtn", L::kMaxButton},
        {"closebtn", L::kCloseButton},
        {"btn_play", L::kPlayButton},
        {"btn_stop", L::kStopButton},
        {"btn_backward", L::kBackwardButton},
        {"btn_forward", L::kForwardButton},
        {"btn_open", L::kOpenButton},
        {"btn_speed", L::kSpeedButton},
        {"btn_subtitle", L::kSubtitleButton},
        {"btn_volume", L::kVolumeButton},
        {"btn_fullscreen", L::kFullscreenButton},
        {"slider_progress", L::kProgressSlider},
        {"slider_volume", L::kVolumeSlider},
    };
    return controls;
}

TEST_F(MainWindowTest, AppearsCentredWithItsSkin) {
    ASSERT_NO_FATAL_FAILURE(launch());

    EXPECT_EQ(geometry_.size(), QSize(L::kWidth, L::kHeight));
    EXPECT_EQ(geometry_.topLeft(),
              QPoint((XServer::kWidth - L::kWidth) / 2, (XServer::kHeight - L::kHeight) / 2));

    const QImage shot = screen_->grab(QStringLiteral("layout"));
    ASSERT_FALSE(shot.isNull());

    EXPECT_EQ(str(checkUniform(shot, onScreen(L::kBareTitle), L::kBarColour)), "")
        << "bare title bar";
    EXPECT_EQ(str(checkUniform(shot, onScreen(L::kBareControls), L::kBarColour)), "")
        << "bare control bar";
    // Keep clear of the bars' edges: only the inside of the video area must be black.
    EXPECT_EQ(str(checkUniform(shot, onScreen(L::kVideo.adjusted(2, 2, -2, -2)), L::kVideoColour)),
              "")
        << "video area";

    for (const auto& [name, rect] : imageControls()) {
        EXPECT_GE(countUnlike(shot, onScreen(rect), L::kBarColour), L::kIconPixels)
            << name << " shows no image";
    }

    EXPECT_GE(countPixels(shot, onScreen(L::kTimeLabel), isLightText), 20)
        << "lbl_time shows no light text";
    EXPECT_GE(countPixels(shot, onScreen(L::kAppLabel), isLightText), 20)
        << "the MoviraPlayer label shows no light text";
}

class MainWindowHoverTest : public MainWindowTest {
  protected:
    // Hover is checked in the button's upper part, as a tooltip may open below the pointer.
    void expectHoverChangesAndRestores(const char* name, QRect button) {
        SCOPED_TRACE(name);
        const QString label = QLatin1String(name);
        const QRect watched = onScreen(QRect(button.x(), button.y(), button.width(), 14));
        const QPoint over = onScreen(QPoint(button.center().x(), button.y() + 6));
        const QPoint away = onScreen(L::kBareControls.center());

        ASSERT_TRUE(xdo_->mouseMove(away)) << str(xdo_->lastError());
        const QImage normal = screen_->grab(label + QStringLiteral("-normal"));
        ASSERT_FALSE(normal.isNull());

        ASSERT_TRUE(xdo_->mouseMove(over)) << str(xdo_->lastError());
        const auto hovered = screen_->grabUntil(
            label + QStringLiteral("-hover"),
            [&](const QImage& image) { return countDifferences(normal, image, watched) > 0; }, 5s);
        EXPECT_TRUE(hovered.has_value()) << "the hover image never showed";

        ASSERT_TRUE(xdo_->mouseMove(away)) << str(xdo_->lastError());
        const auto restored = screen_->grabUntil(
            label + QStringLiteral("-left"),
            [&](const QImage& image) { return countDifferences(normal, image, watched) == 0; }, 5s);
        EXPECT_TRUE(restored.has_value()) << "the normal image never came back";
    }
};

TEST_F(MainWindowHoverTest, ButtonsShowTheirHoverImageOnlyUnderThePointer) {
    ASSERT_NO_FATAL_FAILURE(launch());
    // A plain button of the control bar and a fading button of the title bar.
    expectHoverChangesAndRestores("btn_play", L::kPlayButton);
    expectHoverChangesAndRestores("closebtn", L::kCloseButton);
}

}  // namespace
}  // namespace e2e
