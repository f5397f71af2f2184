// The main window from the keyboard alone: Tab and Shift+Tab through its controls, Enter on a
// button, the arrows on a slider, the speed menu's keys, the focus ring, and the keys that
// keep their meaning whatever has the focus. Keys go to the native window, as the system
// delivers them.

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QWidget>
#include <QWindow>
#include <string>

#include "PlayerFixture.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UISlider.h"

namespace {

// Every control Tab stops at in the main window, in layout order, while no title is shown.
const char* const kTabOrder[] = {"menubtn",    "pinbtn",          "minbtn",        "maxbtn",
                                 "closebtn",   "slider_progress", "btn_previous",  "btn_play",
                                 "btn_next",   "btn_stop",        "btn_backward",  "btn_forward",
                                 "btn_open",   "btn_speed",       "btn_subtitle",  "btn_audio",
                                 "btn_volume", "slider_volume",   "btn_fullscreen"};
constexpr int kStops = static_cast<int>(std::size(kTabOrder));
const QColor kRingColour(0x11, 0xE0, 0x00);  // main.xml's focusbordercolor

class PlayerKeyboard : public PlayerTest {
  protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(window->GetHWND()->windowHandle(), &e);
    }
    // Shift+Tab as X11 reports it.
    void BackTab() { Key(Qt::Key_Backtab, Qt::ShiftModifier); }
    void Tabs(int count) {
        for (int i = 0; i < count; ++i) Key(Qt::Key_Tab);
    }
    std::string Focus() const {
        const CControlUI* focus = window->GetPM().GetFocus();
        return focus ? focus->GetName().toStdString() : "<none>";
    }
    QImage Grab() const { return window->GetHWND()->grab().toImage(); }
    // Pixels of the ring's band around `name` that lack the ring's colour.
    int RingGaps(const QImage& image, const char* name) {
        const QRect ring = window->GetPM().GetFocusRingRect(*Control(name));
        const int w = CPaintManagerUI::kFocusRingWidth;
        const QRect inner = ring.adjusted(w, w, -w, -w);
        int gaps = 0;
        for (int y = ring.top(); y <= ring.bottom(); ++y)
            for (int x = ring.left(); x <= ring.right(); ++x)
                if (!inner.contains(x, y) && image.pixelColor(x, y) != kRingColour) ++gaps;
        return gaps;
    }
};

}  // namespace

TEST_F(PlayerKeyboard, TabAndShiftTabWalkTheControlsInLayoutOrderAndWrapAround) {
    EXPECT_EQ(Focus(), "<none>");
    for (int i = 0; i <= kStops; ++i) {
        Key(Qt::Key_Tab);
        EXPECT_EQ(Focus(), kTabOrder[i % kStops]) << "Tab " << i + 1;
    }
    // From the first control back over the start to the last, and on backwards.
    for (int i = 0; i <= kStops; ++i) {
        BackTab();
        EXPECT_EQ(Focus(), kTabOrder[(2 * kStops - 1 - i) % kStops]) << "Shift+Tab " << i + 1;
    }
    ASSERT_EQ(Focus(), "btn_fullscreen");
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focus(), "slider_volume") << "Tab with Shift, as elsewhere";
    EXPECT_TRUE(fake.Calls().empty()) << "moving the focus does nothing else";

    // Qt's own focus chain never takes Tab, even with a Qt widget in the window to move to.
    auto* child = new QWidget(window->GetHWND());  // the window owns it
    child->setFocusPolicy(Qt::StrongFocus);
    child->show();
    window->GetHWND()->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), "btn_fullscreen");
    EXPECT_FALSE(child->hasFocus());
    delete child;
}

TEST_F(PlayerKeyboard, EnterOnAFocusedButtonDoesWhatAClickDoesAndOtherKeysKeepTheirMeaning) {
    const QString file = MediaFile();
    window->OpenMedia(file);
    fake.ClearCalls();
    Click("btn_play");
    const auto clicked = fake.CallTexts();
    ASSERT_FALSE(clicked.empty());
    fake.ClearCalls();
    Tabs(8);
    ASSERT_EQ(Focus(), "btn_play");
    Key(Qt::Key_Return);
    EXPECT_EQ(fake.CallTexts(), clicked);
    fake.ClearCalls();
    Key(Qt::Key_Enter);  // the keypad's
    EXPECT_EQ(fake.CallTexts(), clicked);

    // Space pauses, whatever button has the focus; it never clicks it.
    Tabs(2);
    ASSERT_EQ(Focus(), "btn_stop");
    fake.ClearCalls();
    Key(Qt::Key_Space);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command cycle pause"});
    EXPECT_EQ(window->GetPlayer().FilePath(), file) << "not stopped";
    // So do the keyboard's play keys, whichever the keyboard reports.
    fake.ClearCalls();
    for (Qt::Key key : {Qt::Key_MediaTogglePlayPause, Qt::Key_MediaPlay, Qt::Key_MediaPause})
        Key(key);
    EXPECT_EQ(Commands(), std::vector<std::string>(3, "mpv_command cycle pause"));

    // F11 and Escape go in and out of fullscreen, then Escape minimises; the focus stays.
    Key(Qt::Key_F11);
    EXPECT_TRUE(window->IsFullScreen());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window->IsFullScreen());
    EXPECT_EQ(Focus(), "btn_stop");
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Await([&] { return window->IsIconic(); }));
}

TEST_F(PlayerKeyboard, EnterOnTheSpeedButtonOpensItsMenuWhoseKeysPickASpeed) {
    window->OpenMedia(MediaFile());
    for (int i = 0; i < 6; ++i) BackTab();
    ASSERT_EQ(Focus(), "btn_speed");
    Key(Qt::Key_Return);
    ASSERT_TRUE(window->SpeedMenu() && window->SpeedMenu()->IsWindow());
    EXPECT_EQ(QApplication::activePopupWidget(), window->SpeedMenu()->GetHWND());
    // The open menu takes the keys the main window is sent: Escape closes it and no more.
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window->SpeedMenu()->IsWindow());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->IsIconic());
    EXPECT_EQ(Focus(), "btn_speed");

    fake.ClearCalls();
    Key(Qt::Key_Return);
    ASSERT_TRUE(window->SpeedMenu() && window->SpeedMenu()->IsWindow());
    fake.ClearCalls();
    // It opens on the current speed, 1x: Down is the next one.
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(CMenuWnd::GetGlobalContextMenuObserver().GetOpenMenuCount(), 0);
    ASSERT_TRUE(Await([&] { return window->Count(WM_MENU_PICK) == 1; }));
    EXPECT_EQ(fake.CallTexts(), std::vector<std::string>{"mpv_set_property speed double 1.25"});
    EXPECT_TRUE(Control("lbl_speed")->IsVisible());
    EXPECT_EQ(Control("lbl_speed")->GetText(), QStringLiteral("1.25x"));
    EXPECT_EQ(Focus(), "btn_speed") << "the focus is back where it was";
    EXPECT_TRUE(window->GetPM().IsFocusRingShown());
}

TEST_F(PlayerKeyboard, ArrowsOnAFocusedSliderChangeTheVolumeByFiveAndSeekLikeARelease) {
    window->OpenMedia(MediaFile());
    fake.QueueDoubleChange("duration", 100.0);
    Wakeup();
    BackTab();
    BackTab();
    ASSERT_EQ(Focus(), "slider_volume");
    fake.ClearCalls();
    Key(Qt::Key_Left);
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 95);
    EXPECT_EQ(fake.CallTexts(), (std::vector<std::string>{"mpv_set_property volume double 95",
                                                          "mpv_set_property_string mute no"}));
    fake.ClearCalls();
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 100);
    EXPECT_EQ(fake.CallTexts(), (std::vector<std::string>{"mpv_set_property volume double 100",
                                                          "mpv_set_property_string mute no"}))
        << "at the end nothing more is sent";

    // The progress slider moves by a hundredth of the length, shows the time it was moved
    // to and seeks there; afterwards the engine's positions move it again.
    window->GetPM().SetFocus(nullptr);
    Tabs(6);
    ASSERT_EQ(Focus(), "slider_progress");
    fake.ClearCalls();
    Key(Qt::Key_Right);
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 10);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command seek 1.00 absolute"});
    EXPECT_EQ(Control("lbl_time")->GetText(), QStringLiteral("00:01 / 01:40"));
    fake.QueueDoubleChange("time-pos", 50.0);
    Wakeup();
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 500);
    fake.ClearCalls();
    Key(Qt::Key_Left);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command seek 49.00 absolute"});

    // The arrows are the window's again once a button has the focus.
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focus(), "btn_previous");
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 490);
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 100);
}

TEST_F(PlayerKeyboard, TheFocusRingIsDrawnAroundTheFocusedControlOnlyAfterTab) {
    EXPECT_GT(RingGaps(Grab(), "btn_play"), 0) << "no ring before any Tab";
    Tabs(8);
    ASSERT_EQ(Focus(), "btn_play");
    EXPECT_EQ(RingGaps(Grab(), "btn_play"), 0) << "pixels of the ring are missing";
    EXPECT_GT(RingGaps(Grab(), "btn_stop"), 0);

    // A click elsewhere ends the focus and takes the ring away; the click still stops.
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    Click("btn_stop");
    EXPECT_EQ(Focus(), "<none>");
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command stop"});
    EXPECT_GT(RingGaps(Grab(), "btn_play"), 0);
}
