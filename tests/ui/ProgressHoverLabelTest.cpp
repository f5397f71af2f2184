// The progress slider's chapter marks and the label that tells the time under the pointer.
#include <QWidget>

#include "PlayerFixture.h"
#include "toolkit/UISlider.h"
#include "ui/ProgressHoverLabel.h"

TEST(PlaceHoverLabel, CentredOnThePointerAboveTheSliderAndNeverCutOffAtTheEdges) {
    const QRect slider(5, 543, 790, 8);
    struct Case {
        int windowWidth;
        int pointerX;
        int labelWidth;
        int left;
    } const cases[] = {
        {800, 400, 60, 370},  // the middle: centred
        {800, 5, 60, 0},      // the slider's left end: held at the window's edge
        {800, 30, 60, 0},     // just fits
        {800, 31, 60, 1},    {800, 794, 60, 740},  // the right end: its right edge on the window's
        {800, 770, 60, 740},                       // just fits
        {800, 769, 60, 739}, {800, 400, 61, 370},  // an odd width leans right by the half pixel
        {50, 25, 60, 0},                           // wider than the window: from its left edge
    };
    for (const Case& c : cases) {
        const QRect placed = PlaceHoverLabel(c.windowWidth, slider, c.pointerX, {c.labelWidth, 20});
        EXPECT_EQ(placed, QRect(c.left, 521, c.labelWidth, 20))
            << "window " << c.windowWidth << ", pointer at " << c.pointerX;
    }
}

TEST(HoverLabelText, TheTimeThenTheTitleOfTheChapterItLiesIn) {
    const std::vector<ChapterEntry> chapters{{2.0, "Opening"}, {10.0, "Middle"}, {20.0, ""}};
    EXPECT_EQ(HoverLabelText(0.0, 30.0, chapters), QStringLiteral("00:00"));  // before the first
    EXPECT_EQ(HoverLabelText(2.0, 30.0, chapters), QStringLiteral("00:02  Opening"));
    EXPECT_EQ(HoverLabelText(9.99, 30.0, chapters), QStringLiteral("00:09  Opening"));
    EXPECT_EQ(HoverLabelText(10.0, 30.0, chapters), QStringLiteral("00:10  Middle"));
    EXPECT_EQ(HoverLabelText(25.0, 30.0, chapters), QStringLiteral("00:25"));  // untitled
    EXPECT_EQ(HoverLabelText(754.9, 900.0, {}), QStringLiteral("12:34"));
    // The time label's form: hours from the start in a file of an hour or more.
    EXPECT_EQ(HoverLabelText(65.0, 5400.0, {}), QStringLiteral("0:01:05"));
    EXPECT_EQ(HoverLabelText(3725.0, 5400.0, chapters), QStringLiteral("1:02:05"));
}

namespace {

class HoverLabelTest : public PlayerTest {
  protected:
    // A 30 s file with chapters at 0, 10 and 20 s, loaded.
    void LoadChapteredFile() {
        const char* titles[] = {"Opening", "Middle", "Credits"};
        for (int i = 0; i < 3; ++i) {
            const std::string prefix = "chapter-list/" + std::to_string(i) + "/";
            fake.SetDouble(prefix + "time", 10.0 * i);
            fake.SetString(prefix + "title", titles[i]);
        }
        fake.SetInt64("chapter-list/count", 3);
        window->OpenMedia(MediaFile());
        fake.QueueEvent(MPV_EVENT_FILE_LOADED);
        fake.QueueDoubleChange("duration", 30.0);
        Wakeup();
    }
    CSliderUI* Slider() {
        window->GetPM().LayoutIfNeeded();
        return window->ProgressSlider();
    }
    // The pointer over the slider where it stands for `fraction` of the file.
    void Hover(double fraction) {
        CSliderUI* slider = Slider();
        MoveTo({slider->XAtFraction(fraction), slider->GetPos().center().y()});
    }
    void MoveTo(const QPoint& pt) {
        window->SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(pt.x(), pt.y()));
    }
    CControlUI* Label() { return Control("lbl_hover"); }
    QWidget* LabelWindow() {
        // The native children of the main window: the video's and then the label's.
        const auto children =
            window->GetHWND()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        return children.size() >= 2 ? children.back() : nullptr;
    }
};

}  // namespace

TEST_F(HoverLabelTest, MarksTheChaptersOnceTheLengthIsKnownAndClearsThemOnStop) {
    ASSERT_TRUE(Slider());
    EXPECT_TRUE(Slider()->GetMarks().empty());
    LoadChapteredFile();
    ASSERT_EQ(Slider()->GetMarks().size(), 3u);
    EXPECT_DOUBLE_EQ(Slider()->GetMarks()[0], 0.0);
    EXPECT_DOUBLE_EQ(Slider()->GetMarks()[1], 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(Slider()->GetMarks()[2], 2.0 / 3.0);
    // A corrected length moves them.
    fake.QueueDoubleChange("duration", 40.0);
    Wakeup();
    EXPECT_DOUBLE_EQ(Slider()->GetMarks()[1], 0.25);
    Click("btn_stop");
    EXPECT_TRUE(Slider()->GetMarks().empty());
}

TEST_F(HoverLabelTest, ShowsTheTimeAndChapterAboveThePointerInsideTheWindow) {
    LoadChapteredFile();
    Hover(0.5);
    ASSERT_TRUE(Label());
    ASSERT_TRUE(Label()->IsVisible());
    EXPECT_EQ(Label()->GetText(), QStringLiteral("00:15  Middle"));
    const QRect slider = Slider()->GetPos();
    const QRect label = Label()->GetPos();
    // Within a pixel: the label's width follows the system's font, and its centre rounds.
    EXPECT_NEAR(label.center().x(), slider.left() + 4 + 391, 1);
    EXPECT_LT(label.bottom(), slider.top());
    EXPECT_GE(label.bottom(), slider.top() - 3);
    ASSERT_TRUE(LabelWindow());
    EXPECT_TRUE(LabelWindow()->isVisible()) << "shown above the video's window";
    EXPECT_EQ(LabelWindow()->geometry(), label);

    Hover(1.0);
    EXPECT_EQ(Label()->GetText(), QStringLiteral("00:30  Credits"));
    EXPECT_EQ(Label()->GetPos().right(), window->GetPM().GetRoot()->GetPos().right());
    Hover(0.0);
    EXPECT_EQ(Label()->GetText(), QStringLiteral("00:00  Opening"));
    EXPECT_EQ(Label()->GetPos().left(), 0);

    MoveTo({slider.center().x(), slider.top() - 10});  // off the slider, over the label's band
    EXPECT_FALSE(Label()->IsVisible());
    EXPECT_FALSE(LabelWindow()->isVisible());
    Hover(0.5);
    window->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Label()->IsVisible());
}

TEST_F(HoverLabelTest, HidesWithoutALengthOnStopAndWhenTheBarsHide) {
    Hover(0.5);
    EXPECT_FALSE(Label()->IsVisible()) << "nothing loaded";
    window->OpenMedia(MediaFile());
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    Wakeup();
    Hover(0.5);
    EXPECT_FALSE(Label()->IsVisible()) << "no length known yet";
    fake.QueueDoubleChange("duration", 30.0);
    Wakeup();
    Hover(0.5);
    EXPECT_EQ(Label()->GetText(), QStringLiteral("00:15")) << "no chapters: the time alone";
    Click("btn_stop");
    EXPECT_FALSE(Label()->IsVisible());
    Hover(0.5);
    EXPECT_FALSE(Label()->IsVisible()) << "the length of the stopped file is not used";

    LoadChapteredFile();
    window->ToggleFullScreen();
    MoveTo({400, 10});  // brings the bars back
    ASSERT_TRUE(window->AreBarsVisible());
    Hover(0.5);
    ASSERT_TRUE(Label()->IsVisible());
    window->SendMessage(WM_TIMER, HIDE_BARS_TIMER_ID, 0);
    ASSERT_FALSE(window->AreBarsVisible());
    EXPECT_FALSE(Label()->IsVisible());
    EXPECT_FALSE(LabelWindow()->isVisible());
}
