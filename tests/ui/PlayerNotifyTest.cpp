#include "PlayerFixture.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIButton.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"

namespace {
QString Text(CControlUI* c) { return c ? c->GetText() : QStringLiteral("<missing>"); }
}  // namespace

TEST_F(PlayerTest, PlayOpensTheDialogUntilAFileWasOpenedAndTogglesAfterAStop) {
    Click("btn_play");
    EXPECT_EQ(dialog.asked, 1);
    dialog.answer = MediaFile();
    Click("btn_open");
    EXPECT_EQ(window->GetPlayer().FilePath(), *dialog.answer);
    fake.ClearCalls();
    Click("btn_stop");
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command stop"});
    fake.ClearCalls();
    Click("btn_play");
    EXPECT_EQ(dialog.asked, 2) << "no dialog after a stop: the path stays set";
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command cycle pause"});
}

TEST_F(PlayerTest, StopResetsTheDisplaysAndForgetsThePosition) {
    const QString path = MediaFile();
    window->OpenMedia(path);
    fake.QueueStringChange("media-title", "Title");
    fake.QueueDoubleChange("duration", 100.0);
    fake.QueueDoubleChange("time-pos", 50.0);
    fake.SetDouble("time-pos", 50.0);
    Wakeup();
    window->GetPlayer().SavePosition();
    ASSERT_TRUE(store->FindEntry(path));
    Click("btn_stop");
    EXPECT_EQ(Text(Control("lbl_time")), QStringLiteral("00:00 / 00:00"));
    EXPECT_EQ(Text(Control("lblvideo")), QString());
    EXPECT_FALSE(Control("infobtn")->IsVisible());
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 0);
    EXPECT_EQ(dynamic_cast<CButtonUI*>(Control("btn_play"))->GetNormalImage().file,
              QStringLiteral("imgs/play_normal.png"));
    EXPECT_FALSE(store->FindEntry(path));
    EXPECT_EQ(window->GetWindowText(), QStringLiteral("Title")) << "the caption keeps the title";
}

TEST_F(PlayerTest, StopWithoutAnEngineStillResetsTheDisplays) {
    Start(false);
    // Without an engine no title comes; the displays are set as a title would set them.
    Control("lblvideo")->SetText(QStringLiteral("Title"));
    Control("infobtn")->SetVisible(true);
    Control("lbl_time")->SetText(QStringLiteral("01:00 / 02:00"));
    window->ProgressSlider()->SetValue(400);
    Click("btn_stop");
    EXPECT_EQ(Text(Control("lbl_time")), QStringLiteral("00:00 / 00:00"));
    EXPECT_EQ(Text(Control("lblvideo")), QString());
    EXPECT_FALSE(Control("infobtn")->IsVisible());
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 0);
    EXPECT_TRUE(fake.Calls().empty());
}

TEST_F(PlayerTest, DraggingShowsTheDraggedTimeAndReleasingSeeks) {
    window->OpenMedia(MediaFile());
    fake.QueueDoubleChange("duration", 5400.0);
    Wakeup();
    auto* progress = window->ProgressSlider();
    auto& pm = window->GetPM();
    pm.LayoutIfNeeded();
    const QPoint thumb = progress->GetThumbRect().center();
    const int middleX = progress->GetPos().left() + progress->GetThumbSize().width() / 2 +
                        (progress->GetPos().width() - progress->GetThumbSize().width()) / 2;
    fake.ClearCalls();
    window->SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(thumb.x(), thumb.y()));
    window->SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(middleX, thumb.y()));
    ASSERT_EQ(progress->GetValue(), 500);
    EXPECT_EQ(Text(Control("lbl_time")), QStringLiteral("45:00 / 1:30:00"));
    EXPECT_TRUE(Commands().empty()) << "nothing is sent while dragging";

    // Position reports wait while the thumb is held.
    fake.SetDouble("time-pos", 10.0);
    fake.QueueDoubleChange("time-pos", 10.0);
    Wakeup();
    EXPECT_EQ(progress->GetValue(), 500);
    EXPECT_EQ(Text(Control("lbl_time")), QStringLiteral("45:00 / 1:30:00"));

    fake.QueueDoubleChange("duration", 7200.0);
    Wakeup();
    window->SendMessage(WM_LBUTTONUP, 0, MakePointLParam(middleX, thumb.y()));
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command seek 3600.00 absolute"});
    fake.QueueDoubleChange("time-pos", 10.0);
    Wakeup();
    EXPECT_EQ(progress->GetValue(), 1) << "after the release reports move the thumb again";

    fake.QueueDoubleChange("duration", 0.0);
    Wakeup();
    fake.ClearCalls();
    window->SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(middleX, thumb.y()));
    window->SendMessage(WM_LBUTTONUP, 0, MakePointLParam(middleX, thumb.y()));
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command seek 0.00 absolute"});
}

TEST_F(PlayerTest, StepButtonsSeekThirtySeconds) {
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    Click("btn_forward");
    Click("btn_backward");
    EXPECT_EQ(Commands(), (std::vector<std::string>{"mpv_command seek 30.0 relative",
                                                    "mpv_command seek -30.0 relative"}));
}

TEST(PlayerWindowRect, CloseRecordsTheCornerInSystemScaleAndTheSizeAsItIs) {
    ResumeEntry entry;
    PlayerWindow::StoreWindowRect(entry, QRect(QPoint(300, 150), QPoint(1259, 749)), 1.5f);
    EXPECT_EQ(entry.x, 200);
    EXPECT_EQ(entry.y, 100);
    EXPECT_EQ(entry.w, 960);
    EXPECT_EQ(entry.h, 600);
}

TEST_F(PlayerTest, CloseButtonRecordsTheRectangleOnlyWithAFileOpen) {
    Click("closebtn");
    EXPECT_TRUE(store->m_resume.empty());
    Start();
    const QString path = MediaFile();
    window->OpenMedia(path);
    const QRect r = window->GetWindowRect();
    Click("closebtn");
    ASSERT_TRUE(store->FindEntry(path));
    EXPECT_EQ(store->FindEntry(path)->w, r.width());
    EXPECT_EQ(store->FindEntry(path)->x, r.left());
    EXPECT_FALSE(window->IsWindow());
}

TEST_F(PlayerTest, TheVideoWindowFollowsMaximiseAndRestore) {
    const auto videoFillsTheArea = [&] {
        const QRect client = window->GetClientRect();
        return window->VideoWindow().GetRect() ==
               QRect(0, 30, client.width(), client.height() - 90);
    };
    Click("maxbtn");
    ASSERT_TRUE(window->IsZoomed());
    EXPECT_TRUE(Await(videoFillsTheArea));
    Click("restorebtn");
    ASSERT_FALSE(window->IsZoomed());
    EXPECT_TRUE(Await(videoFillsTheArea));
}

TEST_F(PlayerTest, PinTogglesTopMostAndItsImages) {
    Click("pinbtn");
    EXPECT_TRUE(window->IsTopMost());
    auto* pin = dynamic_cast<CButtonUI*>(Control("pinbtn"));
    EXPECT_EQ(pin->GetNormalImage().file, QStringLiteral("imgs/pin_normal.png"));
    Click("pinbtn");
    EXPECT_FALSE(window->IsTopMost());
    EXPECT_EQ(pin->GetNormalImage().file, QStringLiteral("imgs/unpin_normal.png"));
    EXPECT_EQ(pin->GetToolTip(), CResourceManager::GetInstance().GetText(QStringLiteral("pin")));
}

TEST_F(PlayerTest, VolumeSliderUnmutesAndTheVolumeButtonOnlyFlipsMute) {
    window->OpenMedia(MediaFile());
    Click("btn_volume");
    EXPECT_TRUE(window->GetPlayer().IsMuted());
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 100);
    fake.ClearCalls();
    auto* volume = window->VolumeSlider();
    const QRect r = volume->GetPos();
    window->SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(r.left() + 4 + 31, r.center().y()));
    window->SendMessage(WM_LBUTTONUP, 0, MakePointLParam(r.left() + 4 + 31, r.center().y()));
    EXPECT_FALSE(window->GetPlayer().IsMuted());
    EXPECT_EQ(fake.CallTexts(), (std::vector<std::string>{"mpv_set_property volume double 50",
                                                          "mpv_set_property_string mute no"}));
    EXPECT_EQ(dynamic_cast<CButtonUI*>(Control("btn_volume"))->GetNormalImage().file,
              QStringLiteral("imgs/volume_normal.png"));
}

TEST_F(PlayerTest, InfoButtonHidesAndShowsTheTitle) {
    fake.QueueStringChange("media-title", "Movie");
    Wakeup();
    Click("infobtn");
    EXPECT_EQ(Text(Control("lblvideo")), QString());
    Click("infobtn");
    EXPECT_EQ(Text(Control("lblvideo")), QStringLiteral("Movie"));
}
