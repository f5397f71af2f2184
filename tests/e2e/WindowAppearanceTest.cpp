// The main window as it first appears with nothing loaded, and how its buttons answer
// the pointer.
#include <QColor>
#include <vector>

#include "Session.h"
#include "WindowParts.h"

namespace e2e {
namespace {

struct NamedRect {
    const char* name;
    QRect rect;
};

const std::vector<NamedRect>& imageControls() {
    static const std::vector<NamedRect> controls = {
        {"menubtn", sized::menuButton(sized::ownSize())},
        {"pinbtn", sized::pinButton(sized::ownSize())},
        {"minbtn", sized::minButton(sized::ownSize())},
        {"maxbtn", sized::maxButton(sized::ownSize())},
        {"closebtn", sized::closeButton(sized::ownSize())},
        {"btn_previous", sized::previousButton(sized::ownSize())},
        {"btn_play", sized::playButton(sized::ownSize())},
        {"btn_next", sized::nextButton(sized::ownSize())},
        {"btn_stop", sized::stopButton(sized::ownSize())},
        {"btn_backward", sized::backwardButton(sized::ownSize())},
        {"btn_forward", sized::forwardButton(sized::ownSize())},
        {"btn_open", sized::openButton(sized::ownSize())},
        {"btn_speed", sized::speedButton(sized::ownSize())},
        {"btn_subtitle", sized::subtitleButton(sized::ownSize())},
        {"btn_audio", sized::audioButton(sized::ownSize())},
        {"btn_volume", sized::volumeButton(sized::ownSize())},
        {"btn_fullscreen", sized::fullscreenButton(sized::ownSize())},
        {"slider_progress", sized::progressSlider(sized::ownSize())},
        {"slider_volume", sized::volumeSlider(sized::ownSize())},
    };
    return controls;
}

TEST_F(MainWindowTest, AppearsCentredWithItsSkin) {
    ASSERT_NO_FATAL_FAILURE(launch());

    EXPECT_EQ(geometry_.size(), sized::ownSize());
    EXPECT_EQ(geometry_.topLeft(), QPoint((XServer::kWidth - sized::ownSize().width()) / 2,
                                          (XServer::kHeight - sized::ownSize().height()) / 2));

    const QImage shot = screen_->grab(QStringLiteral("layout"));
    ASSERT_FALSE(shot.isNull());

    EXPECT_EQ(
        str(checkUniform(shot, onScreen(sized::emptyTitle(sized::ownSize())), look::kBarColour)),
        "")
        << "bare title bar";
    EXPECT_EQ(
        str(checkUniform(shot, onScreen(sized::bareControls(sized::ownSize())), look::kBarColour)),
        "")
        << "bare control bar";
    // Keep clear of the bars' edges: only the inside of the video area must be black.
    EXPECT_EQ(
        str(checkUniform(shot, onScreen(sized::video(sized::ownSize()).adjusted(2, 2, -2, -2)),
                         look::kVideoColour)),
        "")
        << "video area";

    for (const auto& [name, rect] : imageControls()) {
        EXPECT_GE(countUnlike(shot, onScreen(rect), look::kBarColour), look::kIconPixels)
            << name << " shows no image";
    }

    EXPECT_GE(countPixels(shot, onScreen(sized::timeLabel(sized::ownSize())), isLightText), 20)
        << "lbl_time shows no light text";
    EXPECT_GE(countPixels(shot, onScreen(sized::appLabel(sized::ownSize())), isLightText), 20)
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
        const QPoint away = onScreen(sized::bareControls(sized::ownSize()).center());

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
    expectHoverChangesAndRestores("btn_play", sized::playButton(sized::ownSize()));
    expectHoverChangesAndRestores("closebtn", sized::closeButton(sized::ownSize()));
}

}  // namespace
}  // namespace e2e
