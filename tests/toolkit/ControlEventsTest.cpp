#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "SkinFixture.h"
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
    NotifyRecorder recorder;
};

TEST_F(Controls, FindControlByPointGivesTheTopmostControl) {
    struct Case {
        QPoint pt;
        const char* cls;
        const char* name;
    };
    const Case cases[] = {
        {{15, 15}, "FadeButtonUI", "menubtn"},
        {{785, 15}, "FadeButtonUI", "closebtn"},
        {{400, 15}, "LabelUI", "lblvideo"},
        {{400, 300}, "ControlUI", "video_area"},
        {{400, 547}, "SliderUI", "slider_progress"},
        {{20, 575}, "ButtonUI", "btn_play"},
        {{700, 575}, "SliderUI", "slider_volume"},
        {{640, 575}, "ButtonUI", "btn_subtitle"},
        {{400, 575}, "ControlUI", ""},
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
    Mouse(WM_MOUSEMOVE, {20, 575});
    EXPECT_TRUE(play->IsHot());
    EXPECT_NE(Render().copy(play->GetPos()), before) << "the hover image is drawn";
    Mouse(WM_LBUTTONDOWN, {20, 575});
    EXPECT_TRUE(play->IsPushed());
    Mouse(WM_LBUTTONUP, {21, 576});
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].sType, DUI_MSGTYPE_CLICK);
    EXPECT_EQ(recorder.seen[0].pSender, play);

    // Pressed, dragged off and released elsewhere: no click.
    Mouse(WM_LBUTTONDOWN, {20, 575});
    Mouse(WM_MOUSEMOVE, {300, 300});
    EXPECT_FALSE(play->IsPushed());
    Mouse(WM_LBUTTONUP, {300, 300});
    EXPECT_EQ(recorder.seen.size(), 1u);
    Mouse(WM_MOUSEMOVE, {300, 300});
    EXPECT_FALSE(play->IsHot());
    EXPECT_EQ(Render().copy(play->GetPos()), before);
}

TEST_F(Controls, VirtualWindowNameTravelsWithTheNotification) {
    Mouse(WM_LBUTTONDOWN, {785, 15});
    Mouse(WM_LBUTTONUP, {785, 15});
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].sVirtualWnd, QStringLiteral("mainpage"));
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
    for (const char* name : {"btn_play", "btn_stop", "btn_open", "btn_fullscreen", "closebtn"}) {
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
