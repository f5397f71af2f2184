#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "SkinFixture.h"
#include "toolkit/KeyState.h"
#include "toolkit/UIButton.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UIFadeButton.h"
#include "toolkit/UISlider.h"

class Controls : public SkinLayout {
  protected:
    void SetUp() override {
        Build(QStringLiteral("main.xml"));
        pm->AddNotifier(&recorder);
    }
    QImage Render() {
        QImage image(800, 600, QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        pm->Paint(painter, QRect(0, 0, 800, 600));
        return image;
    }
    // A key as the window host hands it over, Shift held or not; true when the toolkit took it.
    bool Key(WPARAM vk, bool shift = false) {
        const KeyStateScope keys(shift ? Qt::ShiftModifier : Qt::NoModifier);
        LRESULT result = 0;
        return pm->PreMessageHandler(WM_KEYDOWN, vk, 1, result);
    }
    // A mouse message as a window passes it: the focus keeping sees it first.
    void WindowMouse(UINT msg, QPoint pt) {
        LRESULT result = 0;
        if (!pm->PreMessageHandler(msg, 0, MakePointLParam(pt.x(), pt.y()), result)) Mouse(msg, pt);
    }
    QString FocusName() const {
        return pm->GetFocus() ? pm->GetFocus()->GetName() : QStringLiteral("<none>");
    }
    // The notifications seen, as "type name".
    std::vector<std::string> Seen() const {
        std::vector<std::string> seen;
        for (const TNotifyUI& n : recorder.seen)
            seen.push_back((n.sType + u' ' + n.pSender->GetName()).toStdString());
        return seen;
    }
    // Pixels of the ring's band around `control` that do not have the ring's colour.
    int RingGaps(const QImage& image, const char* control) const {
        const QRect ring = pm->GetFocusRingRect(*Control(control));
        const QRect inner =
            ring.adjusted(CPaintManagerUI::kFocusRingWidth, CPaintManagerUI::kFocusRingWidth,
                          -CPaintManagerUI::kFocusRingWidth, -CPaintManagerUI::kFocusRingWidth);
        int gaps = 0;
        for (int y = ring.top(); y <= ring.bottom(); ++y)
            for (int x = ring.left(); x <= ring.right(); ++x)
                if (!inner.contains(x, y) && image.pixelColor(x, y) != kRingColour) ++gaps;
        return gaps;
    }
    static constexpr QColor kRingColour = QColor(0x11, 0xE0, 0x00);  // main.xml's
    NotifyRecorder recorder;
};

TEST_F(Controls, FindControlByPointGivesTheTopmostControl) {
    struct Case {
        QPoint pt;
        const char* cls;
        const char* name;
    };
    const Case cases[] = {
        {{15, 15}, "FadeButtonUI", "menubtn"},       {{785, 15}, "FadeButtonUI", "closebtn"},
        {{400, 15}, "LabelUI", "lblvideo"},          {{400, 300}, "ControlUI", "video_area"},
        {{400, 547}, "SliderUI", "slider_progress"}, {{20, 575}, "ButtonUI", "btn_previous"},
        {{60, 575}, "ButtonUI", "btn_play"},         {{100, 575}, "ButtonUI", "btn_next"},
        {{700, 575}, "SliderUI", "slider_volume"},   {{607, 575}, "ButtonUI", "btn_subtitle"},
        {{640, 575}, "ButtonUI", "btn_audio"},       {{480, 575}, "ControlUI", ""},
    };
    for (const Case& c : cases) {
        CControlUI* hit = pm->FindControl(c.pt);
        ASSERT_TRUE(hit) << c.pt.x() << "," << c.pt.y();
        EXPECT_EQ(hit->GetClass(), QString::fromLatin1(c.cls)) << c.name;
        EXPECT_EQ(hit->GetName(), QString::fromLatin1(c.name));
    }
    EXPECT_FALSE(pm->FindControl(QPoint(900, 10)));
}

TEST_F(Controls, ButtonHoversAndClicksOnlyWhenReleasedInside) {
    auto* play = dynamic_cast<CButtonUI*>(Control("btn_play"));
    ASSERT_TRUE(play);
    const QImage before = Render().copy(play->GetPos());
    Mouse(WM_MOUSEMOVE, {60, 575});
    EXPECT_TRUE(play->IsHot());
    EXPECT_NE(Render().copy(play->GetPos()), before) << "the hover image is drawn";
    Mouse(WM_LBUTTONDOWN, {60, 575});
    EXPECT_TRUE(play->IsPushed());
    Mouse(WM_LBUTTONUP, {61, 576});
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].sType, DUI_MSGTYPE_CLICK);
    EXPECT_EQ(recorder.seen[0].pSender, play);

    // Pressed, dragged off and released elsewhere: no click.
    Mouse(WM_LBUTTONDOWN, {60, 575});
    Mouse(WM_MOUSEMOVE, {300, 300});
    EXPECT_FALSE(play->IsPushed());
    Mouse(WM_LBUTTONUP, {300, 300});
    EXPECT_EQ(recorder.seen.size(), 1u);
    Mouse(WM_MOUSEMOVE, {300, 300});
    EXPECT_FALSE(play->IsHot());
    EXPECT_EQ(Render().copy(play->GetPos()), before);
}

TEST_F(Controls, FadeButtonCrossFadesOnItsTimerAndStops) {
    auto* close = dynamic_cast<CFadeButtonUI*>(Control("closebtn"));
    ASSERT_TRUE(close);
    Mouse(WM_MOUSEMOVE, {785, 15});
    ASSERT_EQ(host->timers.size(), 1u);
    const int timer = host->timers.begin()->first;
    const QImage normal = Render().copy(close->GetPos());
    pm->OnHostTimer(timer);
    EXPECT_GT(close->GetFadeLevel(), 0);
    EXPECT_LT(close->GetFadeLevel(), 255);
    const QImage halfway = Render().copy(close->GetPos());
    EXPECT_NE(halfway, normal);
    while (!host->timers.empty()) pm->OnHostTimer(timer);
    EXPECT_EQ(close->GetFadeLevel(), 255);
    const QImage hot = Render().copy(close->GetPos());
    EXPECT_NE(hot, halfway);

    Mouse(WM_MOUSELEAVE, {});
    ASSERT_EQ(host->timers.size(), 1u);
    for (int guard = 0; guard < 20 && !host->timers.empty(); ++guard)
        pm->OnHostTimer(host->timers.begin()->first);
    EXPECT_EQ(close->GetFadeLevel(), 0);
    EXPECT_EQ(Render().copy(close->GetPos()), normal);
}

TEST_F(Controls, DraggingTheProgressThumbReportsEveryMoveThenTheRelease) {
    auto* progress = dynamic_cast<CSliderUI*>(Control("slider_progress"));
    ASSERT_TRUE(progress);
    const QPoint thumb = progress->GetThumbRect().center();
    Mouse(WM_LBUTTONDOWN, thumb);
    EXPECT_TRUE(recorder.seen.empty()) << "grabbing the thumb changes nothing yet";
    Mouse(WM_MOUSEMOVE, {progress->GetPos().center().x(), 547});
    Mouse(WM_MOUSEMOVE, {progress->GetPos().right() + 50, 600});  // past the end, off the bar
    ASSERT_EQ(recorder.seen.size(), 2u);
    EXPECT_EQ(recorder.seen[0].sType, DUI_MSGTYPE_MOVEVALUECHANGED);
    EXPECT_EQ(recorder.seen[1].sType, DUI_MSGTYPE_MOVEVALUECHANGED);
    EXPECT_EQ(progress->GetValue(), 1000);
    EXPECT_TRUE(progress->IsDragging());
    Mouse(WM_LBUTTONUP, {progress->GetPos().right() + 50, 600});
    ASSERT_EQ(recorder.seen.size(), 3u);
    EXPECT_EQ(recorder.seen[2].sType, DUI_MSGTYPE_VALUECHANGED);
    EXPECT_EQ(recorder.seen[2].pSender, progress);
    EXPECT_FALSE(progress->IsDragging());
}

TEST_F(Controls, AClickOnTheTrackSetsTheValueAndReportsOnlyTheRelease) {
    auto* progress = dynamic_cast<CSliderUI*>(Control("slider_progress"));
    ASSERT_TRUE(progress);
    const QPoint middle(5 + 4 + (790 - 8) / 2, 547);
    Mouse(WM_LBUTTONDOWN, middle);
    Mouse(WM_LBUTTONUP, middle);
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].sType, DUI_MSGTYPE_VALUECHANGED);
    EXPECT_EQ(progress->GetValue(), 500);
    EXPECT_EQ(progress->GetThumbRect().left(), middle.x() - 4)
        << "the thumb is centred under the pointer";
}

TEST_F(Controls, WithoutSendMoveADragReportsOnlyTheRelease) {
    auto* volume = dynamic_cast<CSliderUI*>(Control("slider_volume"));
    ASSERT_TRUE(volume);
    Mouse(WM_LBUTTONDOWN, volume->GetThumbRect().center());
    Mouse(WM_MOUSEMOVE, {volume->GetPos().left() - 30, 575});
    EXPECT_EQ(volume->GetValue(), 0);
    EXPECT_TRUE(recorder.seen.empty());
    Mouse(WM_LBUTTONUP, {volume->GetPos().left() - 30, 575});
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].sType, DUI_MSGTYPE_VALUECHANGED);
}

TEST_F(Controls, SliderMapsPointsToValuesAcrossItsTravel) {
    auto* volume = dynamic_cast<CSliderUI*>(Control("slider_volume"));
    ASSERT_TRUE(volume);
    const QRect r = volume->GetPos();
    EXPECT_EQ(volume->ValueAt({r.left(), 575}), 0);
    EXPECT_EQ(volume->ValueAt({r.left() + 4 + 31, 575}), 50);
    EXPECT_EQ(volume->ValueAt({r.right() + 100, 575}), 100);
    volume->SetValue(150);  // out of range: kept, drawn at the end
    EXPECT_EQ(volume->GetValue(), 150);
    EXPECT_EQ(volume->GetThumbRect().right(), r.right());
}

// Marks stand where a press would take the thumb's centre, drawn over the bar; shares outside
// the range are left out.
TEST_F(Controls, MarksStandWhereAPressWouldSeekAndAreDrawnOverTheBar) {
    auto* progress = dynamic_cast<CSliderUI*>(Control("slider_progress"));
    ASSERT_TRUE(progress);
    progress->SetMarks({0.25, -0.1, 0.5, 1.5, std::nan(""), 1.0});
    EXPECT_EQ(progress->GetMarks(), (std::vector<double>{0.25, 0.5, 1.0}));
    for (const double f : progress->GetMarks()) {
        const QRect mark = progress->GetMarkRect(f);
        EXPECT_EQ(mark.height(), progress->GetHeight());
        EXPECT_NEAR(progress->FractionAt(mark.center()), f, 0.002);
        EXPECT_NEAR(progress->ValueAt(mark.center()), f * 1000, 2);
    }
    const QImage image = Render();
    const QRect half = progress->GetMarkRect(0.5);
    EXPECT_EQ(image.pixelColor(half.left(), half.center().y()), QColor(0xDD, 0xDD, 0xDD));
    EXPECT_NE(image.pixelColor(half.left() - 3, half.center().y()), QColor(0xDD, 0xDD, 0xDD));
    progress->SetMarks({});
    EXPECT_NE(Render().pixelColor(half.left(), half.center().y()), QColor(0xDD, 0xDD, 0xDD));
}

TEST_F(Controls, DestroyedControlLeavesNoDanglingHoverOrTimer) {
    Mouse(WM_MOUSEMOVE, {785, 15});
    ASSERT_TRUE(pm->GetHotControl());
    ASSERT_FALSE(host->timers.empty());
    Mouse(WM_LBUTTONDOWN, {785, 15});
    auto* titleBar = dynamic_cast<CContainerUI*>(Control("vTop"));
    ASSERT_TRUE(titleBar);
    titleBar->RemoveAll();
    EXPECT_EQ(pm->GetHotControl(), nullptr);
    EXPECT_EQ(pm->GetCaptureControl(), nullptr);
    EXPECT_TRUE(host->timers.empty());
    Mouse(WM_LBUTTONUP, {785, 15});  // reaches no freed control
    EXPECT_TRUE(recorder.seen.empty());
}

TEST_F(Controls, PaintsBarsVideoAreaButtonsAndTime) {
    const QImage image = Render();
    const QColor bar(0x1E, 0x1E, 0x1E);
    EXPECT_EQ(image.pixelColor(400, 15), bar);
    EXPECT_EQ(image.pixelColor(400, 300), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(450, 575), bar);
    for (const char* name : {"btn_previous", "btn_play", "btn_next", "btn_stop", "btn_open",
                             "btn_audio", "btn_fullscreen", "closebtn"}) {
        const QRect r = Control(name)->GetPos();
        int glyph = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.pixelColor(x, y) != bar) ++glyph;
        EXPECT_GT(glyph, 20) << name;
    }
    const QRect time = Control("lbl_time")->GetPos();
    int light = 0;
    for (int y = time.top(); y <= time.bottom(); ++y)
        for (int x = time.left(); x <= time.right(); ++x)
            if (qGray(image.pixel(x, y)) > 150) ++light;
    EXPECT_GT(light, 40) << "the time text is drawn in light grey";
}

TEST_F(Controls, TabStopsAtVisibleEnabledButtonsAndSlidersAndGoesOnFromWhereTheFocusWas) {
    EXPECT_EQ(pm->GetFocus(), nullptr);
    EXPECT_TRUE(Key(VK_TAB, true));
    EXPECT_EQ(FocusName(), QStringLiteral("btn_fullscreen")) << "Shift+Tab from none: the last";
    pm->SetFocus(nullptr);
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(FocusName(), QStringLiteral("menubtn")) << "Tab from none: the first";
    EXPECT_TRUE(pm->IsFocusRingShown());

    // Disabled and hidden controls are passed over both ways.
    Control("btn_next")->SetEnabled(false);
    Control("btn_stop")->SetEnabled(false);
    Control("btn_backward")->SetVisible(false);
    pm->SetFocus(Control("btn_play"), true);
    Key(VK_TAB);
    EXPECT_EQ(FocusName(), QStringLiteral("btn_forward"));
    Key(VK_TAB, true);
    EXPECT_EQ(FocusName(), QStringLiteral("btn_play"));

    // Hidden while focused: no ring, no keys, but Tab goes on from its place.
    recorder.seen.clear();
    Control("btn_play")->SetVisible(false);
    EXPECT_FALSE(pm->IsFocusRingShown());
    EXPECT_FALSE(Key(VK_RETURN)) << "a hidden button is not clicked";
    EXPECT_TRUE(recorder.seen.empty());
    Key(VK_TAB, true);
    EXPECT_EQ(FocusName(), QStringLiteral("btn_previous"));
    Key(VK_TAB);
    EXPECT_EQ(FocusName(), QStringLiteral("btn_forward"));
    EXPECT_EQ(Seen(), (std::vector<std::string>{"killfocus btn_play", "setfocus btn_previous",
                                                "killfocus btn_previous", "setfocus btn_forward"}));

    // Without any control to stop at, Tab is left to the window.
    Control("vTop")->SetVisible(false);
    Control("vBottom")->SetVisible(false);
    EXPECT_TRUE(pm->GetTabControls().empty());
    EXPECT_FALSE(Key(VK_TAB));
    EXPECT_FALSE(Key(VK_TAB, true));
}

TEST(SliderSteps, OnePercentUnlessTheLayoutSaysAndNeverPastTheEnds) {
    CSliderUI slider;
    EXPECT_EQ(slider.GetStep(), 1) << "1 % of 0..100";
    slider.SetMaxValue(50);
    EXPECT_EQ(slider.GetStep(), 1) << "at least 1";
    slider.SetMinValue(-1000);
    slider.SetMaxValue(1000);
    EXPECT_EQ(slider.GetStep(), 20);
    slider.SetMinValue(INT_MIN);
    slider.SetMaxValue(INT_MAX);
    EXPECT_EQ(slider.GetStep(), 42949672) << "a range wider than an int";
    slider.SetValue(INT_MAX - 5);
    EXPECT_TRUE(slider.StepValue(1));
    EXPECT_EQ(slider.GetValue(), INT_MAX);
    EXPECT_TRUE(slider.StepValue(-100));
    EXPECT_TRUE(slider.StepValue(-100));
    EXPECT_EQ(slider.GetValue(), INT_MIN);

    for (const char* bad : {"0", "-5", "five", ""})
        EXPECT_FALSE(slider.SetAttribute(QStringLiteral("step"), QString::fromLatin1(bad))) << bad;
    ASSERT_TRUE(slider.SetAttribute(QStringLiteral("step"), QStringLiteral("7")));
    slider.SetMinValue(0);
    slider.SetMaxValue(100);
    EXPECT_EQ(slider.GetStep(), 7);
    // A value kept outside the range steps from the end it is drawn at.
    slider.SetValue(150);
    EXPECT_FALSE(slider.StepValue(1));
    EXPECT_EQ(slider.GetValue(), 150);
    EXPECT_TRUE(slider.StepValue(-1));
    EXPECT_EQ(slider.GetValue(), 93);
    slider.SetValue(-20);
    EXPECT_TRUE(slider.StepValue(1));
    EXPECT_EQ(slider.GetValue(), 7);
}

TEST_F(Controls, TheRingShowsOnlyForKeyboardFocusAndRepaintsOnlyWhereItWas) {
    pm->SetFocus(Control("menubtn"));
    EXPECT_FALSE(pm->IsFocusRingShown()) << "the program's focus has no ring";
    EXPECT_GT(RingGaps(Render(), "menubtn"), 0);
    pm->SetFocus(nullptr);
    Key(VK_TAB);
    ASSERT_EQ(FocusName(), QStringLiteral("menubtn"));
    // At the window's corner the ring is kept inside the window, over the button's edge.
    EXPECT_EQ(pm->GetFocusRingRect(*Control("menubtn")), QRect(0, 0, 33, 33));
    QImage image = Render();
    EXPECT_EQ(RingGaps(image, "menubtn"), 0);
    EXPECT_NE(image.pixelColor(30, 15), kRingColour) << "one pixel apart from the control";

    // Moving on repaints the old ring and the new one, nothing else.
    host->invalidated = QRect();
    Key(VK_TAB, true);
    ASSERT_EQ(FocusName(), QStringLiteral("btn_fullscreen"));
    const QRect ring = pm->GetFocusRingRect(*Control("btn_fullscreen"));
    EXPECT_EQ(ring, QRect(757, 553, 43, 46));
    EXPECT_EQ(host->invalidated, QRect(0, 0, 33, 33).united(ring));

    // A slider's ring stands clear of its played part, which has the ring's colour.
    Key(VK_TAB, true);
    ASSERT_EQ(FocusName(), QStringLiteral("slider_volume"));
    image = Render();
    EXPECT_EQ(RingGaps(image, "slider_volume"), 0);
    const QRect track = Control("slider_volume")->GetPos();
    EXPECT_EQ(image.pixelColor(track.left() + 2, track.center().y()), kRingColour);
    EXPECT_NE(image.pixelColor(track.left() - 1, track.center().y()), kRingColour);

    // A mouse press ends the keyboard's focus and repaints its ring away; the click counts.
    recorder.seen.clear();
    host->invalidated = QRect();
    WindowMouse(WM_LBUTTONDOWN, {60, 575});
    EXPECT_EQ(pm->GetFocus(), nullptr);
    EXPECT_TRUE(host->invalidated.contains(pm->GetFocusRingRect(*Control("slider_volume"))));
    WindowMouse(WM_LBUTTONUP, {60, 575});
    EXPECT_EQ(Seen(), (std::vector<std::string>{"killfocus slider_volume", "click btn_play"}));
}
