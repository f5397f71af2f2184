#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "PlayerFixture.h"
#include "SkinLayoutTool.h"
#include "app/LanguageChoice.h"
#include "platform/UiLanguage.h"
#include "toolkit/Dpi.h"
#include "toolkit/MenuCommand.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/MessagePayload.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIButton.h"
#include "toolkit/UILabel.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UIMenuElement.h"
#include "toolkit/UISlider.h"
#include "ui/FitGeometry.h"

namespace {
QString Text(CControlUI* c) { return c ? c->GetText() : QStringLiteral("<missing>"); }
}  // namespace

TEST_F(PlayerTest, OneWakeupDrainsEveryQueuedEvent) {
    window->OpenMedia(MediaFile());
    fake.SetDouble("time-pos", 65.4);
    fake.QueueDoubleChange("duration", 5400.0);
    fake.QueueDoubleChange("time-pos", 65.4);
    fake.QueueStringChange("media-title", "片名 Title");
    fake.QueueFlagChange("eof-reached", false);
    fake.QueueDoubleChange("volume", 20.0);
    Wakeup();
    EXPECT_EQ(fake.PendingEvents(), 0u);
    EXPECT_DOUBLE_EQ(window->GetPlayer().Duration(), 5400.0);
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 12);
    EXPECT_EQ(Text(Control("lbl_time")), QStringLiteral("0:01:05 / 1:30:00"));
    EXPECT_EQ(window->GetWindowText(), QStringLiteral("片名 Title"));
    EXPECT_EQ(Text(Control("lblvideo")), QStringLiteral("片名 Title"));
    EXPECT_TRUE(Control("infobtn")->IsVisible());
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 100)
        << "volume changes are drained without action";

    // An empty queue and a title without a string change nothing.
    Wakeup();
    fake.QueueStringChange("media-title", nullptr);
    fake.QueueValuelessChange("time-pos");
    Wakeup();
    EXPECT_EQ(window->GetPlayer().Title(), QStringLiteral("片名 Title"));
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 12);
}

// The length normally comes as a change event of its own. Should that event not come, as
// the engine was once seen not to send it when a file resumed paused under load, the first
// position asks the engine for the length, so that the slider and the total do not stay at
// zero.
TEST_F(PlayerTest, APositionWithoutALengthEventAsksTheEngineForTheLength) {
    window->OpenMedia(MediaFile());
    fake.SetDouble("duration", 30.0);
    fake.SetDouble("time-pos", 12.0);
    fake.QueueDoubleChange("time-pos", 12.0);
    Wakeup();
    EXPECT_DOUBLE_EQ(window->GetPlayer().Duration(), 30.0);
    EXPECT_EQ(window->ProgressSlider()->GetValue(), 400);
    EXPECT_EQ(Text(Control("lbl_time")), QStringLiteral("00:12 / 00:30"));

    // Once known, the length is not asked for again on every position.
    fake.ClearCalls();
    fake.QueueDoubleChange("time-pos", 13.0);
    Wakeup();
    EXPECT_EQ(fake.CallTexts("mpv_get_property").size(), 1u)
        << "only the position is read: "
        << ::testing::PrintToString(fake.CallTexts("mpv_get_property"));
}

TEST_F(PlayerTest, TheFileLoadedEventRestoresAndFits) {
    window->OpenMedia(MediaFile());
    fake.SetInt64("video-params/w", 640);
    fake.SetInt64("video-params/h", 360);
    fake.ClearCalls();
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    Wakeup();
    EXPECT_EQ(window->Count(WM_FILE_LOADED), 1);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command cycle pause"});
    const auto expected =
        FitWindowRect(640, 360, window->DpiScale(), window->MonitorWorkArea(), 90);
    ASSERT_TRUE(expected);
    EXPECT_EQ(window->GetWindowRect(), *expected);
    // The harnesses ask the layout dump where the window goes; it answers the same, and
    // nothing for no video.
    const QRect area = window->MonitorWorkArea();
    const auto askFit = [&](int w, int h) {
        QStringList args{QStringLiteral("fit"), QString::number(w), QString::number(h)};
        for (int n : {area.x(), area.y(), area.width(), area.height()}) args << QString::number(n);
        return AskSkinLayout(args << QString::number(window->DpiScale()));
    };
    const QJsonObject fit = askFit(640, 360).toObject();
    EXPECT_EQ(QRect(fit[QStringLiteral("x")].toInt(), fit[QStringLiteral("y")].toInt(),
                    fit[QStringLiteral("w")].toInt(), fit[QStringLiteral("h")].toInt()),
              window->GetWindowRect());
    EXPECT_TRUE(askFit(0, 360).isNull());

    // Without a video size the window stays as it is.
    fake.RemoveProperty("video-params/w");
    const QRect before = window->GetWindowRect();
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    Wakeup();
    EXPECT_EQ(window->GetWindowRect(), before);
}

TEST_F(PlayerTest, KeysSpaceF11AndEscape) {
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    window->SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    window->SendMessage(WM_KEYDOWN, VK_SPACE, 1 | (LPARAM{1} << 30));  // held down: repeats
    EXPECT_EQ(Commands(),
              (std::vector<std::string>{"mpv_command cycle pause", "mpv_command cycle pause"}));

    // The keyboard's media keys do what Space and the stop button do, unless the system's
    // media controls take them.
    fake.ClearCalls();
    window->SetMediaKeysFromSystem(true);
    window->SendMessage(WM_KEYDOWN, VK_MEDIA_PLAY_PAUSE, 1);
    window->SendMessage(WM_KEYDOWN, VK_MEDIA_STOP, 1);
    window->SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    window->SetMediaKeysFromSystem(false);
    window->SendMessage(WM_KEYDOWN, VK_MEDIA_PLAY_PAUSE, 1);
    window->SendMessage(WM_KEYDOWN, VK_MEDIA_STOP, 1);
    EXPECT_EQ(Commands(),
              (std::vector<std::string>{"mpv_command cycle pause", "mpv_command cycle pause",
                                        "mpv_command stop"}));
    window->OpenMedia(MediaFile());

    const QRect windowed = window->GetWindowRect();
    window->SendMessage(WM_KEYDOWN, VK_F11, 1);
    EXPECT_TRUE(window->IsFullScreen());
    window->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(window->IsFullScreen());
    EXPECT_EQ(window->GetWindowRect(), windowed);
    window->SendMessage(WM_KEYDOWN, VK_F11, 1);
    window->SendMessage(WM_KEYDOWN, VK_F11, 1);
    EXPECT_FALSE(window->IsFullScreen());

    window->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(Await([&] { return window->IsIconic(); })) << "windowed Escape minimises";
}

TEST_F(PlayerTest, LeftAndRightSeekFiveSecondsAlsoHeldAndInFullScreen) {
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    window->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    window->ToggleFullScreen();
    window->SendMessage(WM_KEYDOWN, VK_LEFT, 1 | (LPARAM{1} << 30));  // held down: repeats
    EXPECT_EQ(Commands(), (std::vector<std::string>{"mpv_command seek 5.0 relative",
                                                    "mpv_command seek -5.0 relative"}));
}

// Up and Down move the volume slider by 5 within its 0 to 100 as a hand would: the engine
// follows and the mute ends, also at the slider's end. M mutes as the volume button does.
TEST_F(PlayerTest, UpAndDownStepTheVolumeSliderMMutesAndNoOtherKeyDoesAnything) {
    const struct {
        int from;
        WPARAM key;
        int to;
    } cases[] = {
        {100, VK_DOWN, 95}, {98, VK_UP, 100}, {100, VK_UP, 100}, {3, VK_DOWN, 0}, {0, VK_DOWN, 0}};
    for (const auto& c : cases) {
        window->VolumeSlider()->SetValue(c.from);
        window->SendMessage(WM_KEYDOWN, 'M', 1);
        ASSERT_TRUE(window->GetPlayer().IsMuted());
        fake.ClearCalls();
        window->SendMessage(WM_KEYDOWN, c.key, 1);
        EXPECT_EQ(window->VolumeSlider()->GetValue(), c.to) << c.from;
        EXPECT_EQ(fake.CallTexts(), (std::vector<std::string>{
                                        "mpv_set_property volume double " + std::to_string(c.to),
                                        "mpv_set_property_string mute no"}))
            << c.from;
    }
    window->SendMessage(WM_KEYDOWN, 'M', 1);
    EXPECT_EQ(dynamic_cast<CButtonUI*>(Control("btn_volume"))->GetNormalImage().file,
              QStringLiteral("imgs/volume_close_normal.png"));

    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    for (const WPARAM key : {WPARAM{'Q'}, WPARAM{'0'}, VK_RETURN, VK_F1, VK_F11 + 1})
        window->SendMessage(WM_KEYDOWN, key, 1);
    EXPECT_TRUE(fake.Calls().empty()) << ::testing::PrintToString(fake.CallTexts());
    EXPECT_FALSE(window->IsFullScreen());
}

TEST_F(PlayerTest, TheWheelOverThePictureStepsTheVolumeByWholeNotches) {
    window->GetPM().LayoutIfNeeded();
    const QPoint picture = window->VideoWindow().GetRect().center();
    const QPoint controls = Control("vBottom")->GetPos().center();
    const auto wheel = [&](QPoint client, int delta) {
        const QPoint screen = window->ClientToScreen(client);
        window->SendMessage(WM_MOUSEWHEEL,
                            static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16,
                            MakePointLParam(screen.x(), screen.y()));
        return window->VolumeSlider()->GetValue();
    };
    Click("btn_volume");
    EXPECT_EQ(wheel(picture, -120), 95);
    EXPECT_FALSE(window->GetPlayer().IsMuted());
    EXPECT_EQ(wheel(picture, 240), 100) << "two notches, held at the slider's end";
    // Parts of a notch count once they make a whole one; opposite parts take each other back.
    EXPECT_EQ(wheel(picture, -60), 100);
    EXPECT_EQ(wheel(picture, 30), 100);
    EXPECT_EQ(wheel(picture, -90), 95);
    // Over the bars nothing; in fullscreen with the bars hidden their bands are picture too.
    EXPECT_EQ(wheel(controls, -120), 95);
    EXPECT_EQ(wheel(Control("vTop")->GetPos().center(), -120), 95);
    window->ToggleFullScreen();
    QCoreApplication::processEvents();
    EXPECT_EQ(wheel({controls.x(), 5}, -120), 90);
    EXPECT_EQ(wheel({controls.x(), window->GetClientRect().height() - 5}, -120), 85);
}

TEST_F(PlayerTest, FullScreenHidesTheBarsUntilThePointerNearsTheTop) {
    const QRect windowed = window->GetWindowRect();
    window->ToggleFullScreen();
    EXPECT_EQ(window->GetWindowRect(), window->MonitorRect());
    EXPECT_TRUE(window->IsTopMost());
    EXPECT_FALSE(window->AreBarsVisible());
    EXPECT_FALSE(Control("vTop")->IsVisible());
    EXPECT_FALSE(Control("vBottom")->IsVisible());
    EXPECT_TRUE(window->IsTimerActive(HIDE_BARS_TIMER_ID));

    window->SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(300, 200));  // below the band
    EXPECT_FALSE(window->AreBarsVisible());
    EXPECT_TRUE(window->IsTimerActive(HIDE_BARS_TIMER_ID));
    window->SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(300, 50));  // at the band's edge
    EXPECT_TRUE(window->AreBarsVisible());
    EXPECT_TRUE(Control("vTop")->IsVisible());

    window->SendMessage(WM_TIMER, HIDE_BARS_TIMER_ID, 0);
    EXPECT_FALSE(window->AreBarsVisible());
    EXPECT_FALSE(window->IsTimerActive(HIDE_BARS_TIMER_ID)) << "each arming fires once";

    // The same position again is no movement: no timer, no bars.
    window->SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(300, 50));
    EXPECT_FALSE(window->IsTimerActive(HIDE_BARS_TIMER_ID));
    EXPECT_FALSE(window->AreBarsVisible());

    window->SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(301, 10));
    ASSERT_TRUE(window->AreBarsVisible());
    window->SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(window->AreBarsVisible()) << "leaving the window hides them at once";
    EXPECT_TRUE(window->IsTimerActive(HIDE_BARS_TIMER_ID)) << "the timer is left running";

    window->ToggleFullScreen();
    EXPECT_EQ(window->GetWindowRect(), windowed);
    EXPECT_FALSE(window->IsTopMost());
    EXPECT_TRUE(Control("vTop")->IsVisible());
    EXPECT_TRUE(Control("vBottom")->IsVisible());
    EXPECT_FALSE(window->IsTimerActive(HIDE_BARS_TIMER_ID));
    EXPECT_EQ(window->VideoWindow().GetRect(), QRect(0, 30, 800, 510));

    // Outside fullscreen the timer message and mouse moves change nothing.
    window->SendMessage(WM_TIMER, HIDE_BARS_TIMER_ID, 0);
    window->SendMessage(WM_MOUSELEAVE);
    EXPECT_TRUE(Control("vTop")->IsVisible());
}

TEST_F(PlayerTest, FullScreenFromMaximisedReturnsMaximisedAndNeverTopMost) {
    Click("pinbtn");
    ASSERT_TRUE(window->IsTopMost());
    window->SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->IsZoomed());
    window->ToggleFullScreen();
    window->ToggleFullScreen();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->IsZoomed());
    EXPECT_FALSE(window->IsTopMost()) << "leaving fullscreen is never topmost, pinned or not";
    auto* pin = dynamic_cast<CButtonUI*>(Control("pinbtn"));
    EXPECT_EQ(pin->GetNormalImage().file, QStringLiteral("imgs/pin_normal.png"))
        << "the pin keeps its look";
}

TEST_F(PlayerTest, ThePinWorksInFullScreenAsOutsideItAndLeavingKeepsItsLook) {
    auto* pin = dynamic_cast<CButtonUI*>(Control("pinbtn"));
    ASSERT_TRUE(pin);
    auto look = [&] { return pin->GetNormalImage().file; };
    const QString pinned = QStringLiteral("imgs/pin_normal.png");
    const QString unpinned = QStringLiteral("imgs/unpin_normal.png");
    window->ToggleFullScreen();
    const QRect monitor = window->GetWindowRect();
    window->SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(300, 10));  // the bars come up
    ASSERT_TRUE(window->AreBarsVisible());

    Click("pinbtn");
    EXPECT_TRUE(window->IsTopMost());
    EXPECT_EQ(look(), pinned);
    Click("pinbtn");
    EXPECT_FALSE(window->IsTopMost()) << "unpinned, fullscreen is no longer above the rest";
    EXPECT_EQ(look(), unpinned);
    EXPECT_TRUE(window->IsFullScreen());
    EXPECT_EQ(window->GetWindowRect(), monitor) << "the pin neither moves nor sizes";
    Click("pinbtn");
    EXPECT_TRUE(window->IsTopMost());

    // Leaving, the window is not topmost, but the pin keeps its setting and its look: the
    // next click unpins, and the one after pins the window above the rest again.
    window->ToggleFullScreen();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->IsTopMost());
    EXPECT_EQ(look(), pinned);
    Click("pinbtn");
    EXPECT_FALSE(window->IsTopMost());
    EXPECT_EQ(look(), unpinned);
    Click("pinbtn");
    EXPECT_TRUE(window->IsTopMost());
    EXPECT_EQ(look(), pinned);
}

TEST_F(PlayerTest, MenuPicksSetSpeedAndSubtitles) {
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    auto pick = [&](const char* name, const char* userData, const char* text) {
        window->PostMessage(WM_MENU_PICK, MakePayload(MenuCommand{QString::fromUtf8(name),
                                                                  QString::fromUtf8(userData),
                                                                  QString::fromUtf8(text), false}));
        QCoreApplication::processEvents();
    };
    pick("menu_speed_150", "", "1.5x");
    EXPECT_EQ(fake.CallTexts(), std::vector<std::string>{"mpv_set_property speed double 1.5"});
    EXPECT_TRUE(Control("lbl_speed")->IsVisible());
    EXPECT_EQ(Text(Control("lbl_speed")), QStringLiteral("1.5x"));

    fake.ClearCalls();
    pick("subtitle_", "-1", "Turn off");
    EXPECT_EQ(fake.CallTexts(),
              std::vector<std::string>{"mpv_set_property_string sub-visibility no"});
    fake.ClearCalls();
    pick("subtitle_", "2", "chi - 简体");
    EXPECT_EQ(fake.CallTexts(),
              (std::vector<std::string>{"mpv_set_property_string sid 2",
                                        "mpv_set_property_string sub-visibility yes"}));
    fake.ClearCalls();
    pick("menu_speed_999", "", "9x");
    pick("Subtitle_", "3", "x");
    window->PostMessage(WM_MENU_PICK, 0, 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(fake.Calls().empty());
}

// The audio menu lists the file's audio tracks with the playing one checked, the subtitle
// menu the shown track checked and "Load subtitle file…" last, in both languages; picks
// switch the track, or ask for a subtitle file and add it.
TEST_F(PlayerTest, AudioAndSubtitleMenusInBothLanguages) {
    const auto track = [&](int index, const char* type, std::int64_t id, const char* lang) {
        const std::string prefix = "track-list/" + std::to_string(index) + "/";
        fake.SetString(prefix + "type", type);
        fake.SetInt64(prefix + "id", id);
        if (lang) fake.SetString(prefix + "lang", lang);
        fake.SetInt64("track-list/count", index + 1);
    };
    track(0, "audio", 1, "eng");
    fake.SetString("track-list/0/codec", "aac");
    fake.SetInt64("track-list/0/demux-channel-count", 6);
    track(1, "audio", 2, nullptr);
    track(2, "sub", 1, "eng");
    fake.SetInt64("aid", 2);
    fake.SetInt64("sid", 1);
    fake.SetFlag("sub-visibility", true);
    window->OpenMedia(MediaFile());
    const auto items = [&](const char* button) {
        Click(button);
        std::vector<std::pair<QString, bool>> shown;
        for (CMenuWnd* menu : CMenuWnd::GetGlobalContextMenuObserver().GetMenus()) {
            if (!menu->IsWindow()) continue;
            for (int i = 0; i < menu->GetMenuUI()->GetCount(); ++i) {
                auto* item = dynamic_cast<CMenuElementUI*>(menu->GetMenuUI()->GetItemAt(i));
                shown.emplace_back(item->IsResourceText()
                                       ? CResourceManager::GetInstance().GetText(item->GetText())
                                       : item->GetText(),
                                   item->IsChecked());
            }
            menu->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        }
        return shown;
    };
    using Items = std::vector<std::pair<QString, bool>>;
    LoadInterfaceLanguage(platform::kLangChinese);
    EXPECT_EQ(items("btn_audio"), (Items{{QStringLiteral("English (AAC 5.1)"), false},
                                         {QStringLiteral("音轨 2"), true}}));
    EXPECT_EQ(items("btn_subtitle"), (Items{{QStringLiteral("关闭字幕"), false},
                                            {QStringLiteral("eng"), true},
                                            {QStringLiteral("加载字幕文件…"), false}}));
    LoadInterfaceLanguage(platform::kLangEnglish);
    EXPECT_EQ(items("btn_audio")[1].first, QStringLiteral("Track 2"));
    fake.SetFlag("sub-visibility", false);
    EXPECT_EQ(items("btn_subtitle"), (Items{{QStringLiteral("Turn off"), true},
                                            {QStringLiteral("eng"), false},
                                            {QStringLiteral("Load subtitle file…"), false}}));

    const auto pick = [&](const char* name, const char* userData) {
        fake.ClearCalls();
        window->PostMessage(
            WM_MENU_PICK, MakePayload(MenuCommand{QString::fromUtf8(name),
                                                  QString::fromUtf8(userData), QString(), false}));
        QCoreApplication::processEvents();
    };
    pick("audio_", "1");
    EXPECT_EQ(fake.CallTexts("mpv_set_property_string"),
              std::vector<std::string>{"mpv_set_property_string aid 1"});
    const QString subtitles = MediaFile(QStringLiteral("film.en.srt"));
    dialog.answer = subtitles;
    pick("subtitle_load", "");
    EXPECT_FALSE(dialog.askedForSeveral);
    ASSERT_EQ(dialog.lastFilters.size(), 2u);
    EXPECT_EQ(dialog.lastFilters[0].first, QStringLiteral("Subtitle files"));
    EXPECT_TRUE(dialog.lastFilters[0].second.contains(QStringLiteral("*.srt")));
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command sub-add " +
                                                   subtitles.toStdString() + " select"});
}

TEST_F(PlayerTest, TheCloseButtonEndsTheLoopWithTheSubtitleMenuOpenOrJustUsed) {
    auto openMenu = [&]() -> CMenuWnd* {
        Click("btn_subtitle");
        for (CMenuWnd* menu : CMenuWnd::GetGlobalContextMenuObserver().GetMenus())
            if (menu->IsWindow()) return menu;
        return nullptr;
    };
    // The loop the program runs, until the close button's quit ends it; a lost quit leaves
    // it to the bound, which ends it with another code.
    constexpr int kLost = 99;
    auto closeAndRun = [&] {
        Click("closebtn");
        QTimer::singleShot(5000, [] { QCoreApplication::exit(kLost); });
        return QApplication::exec();
    };
    const QString file = MediaFile();
    window->OpenMedia(file);

    // Open: the close takes the menu with the window.
    ASSERT_TRUE(openMenu());
    EXPECT_EQ(closeAndRun(), 0);
    EXPECT_FALSE(window->IsWindow());
    EXPECT_EQ(CMenuWnd::GetGlobalContextMenuObserver().GetOpenMenuCount(), 0);

    // An item just picked, its menu closed but not yet freed, and the pick still on its way.
    ASSERT_NO_FATAL_FAILURE(Start());
    window->OpenMedia(file);
    CMenuWnd* menu = openMenu();
    ASSERT_TRUE(menu);
    menu->GetPM().LayoutIfNeeded();
    const QPoint item = menu->GetMenuUI()->GetItemAt(0)->GetPos().center();
    for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
        menu->SendMessage(msg, 0, MakePointLParam(item.x(), item.y()));
    ASSERT_FALSE(menu->IsWindow());
    EXPECT_EQ(closeAndRun(), 0);
    EXPECT_EQ(window->Count(WM_MENU_PICK), 1) << "the pick still reaches the window";

    // Dismissed with Escape before the close.
    ASSERT_NO_FATAL_FAILURE(Start());
    menu = openMenu();
    ASSERT_TRUE(menu);
    menu->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(closeAndRun(), 0);
}

TEST_F(PlayerTest, MovesPostARelayoutButStackingChangesDoNot) {
    WINDOWPOS moved{10, 10, 800, 600, SWP_NOSIZE | SWP_NOZORDER};
    WINDOWPOS restacked{10, 10, 800, 600, SWP_NOSIZE | SWP_NOMOVE};
    window->SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&moved));
    window->SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&restacked));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Count(WM_RELAYOUT_VIDEO), 1);
}

TEST_F(PlayerTest, VideoClicksToggleAndADoubleClickWithNothingOpenAsksForAFile) {
    window->PostMessage(WM_VIDEO_DBLCLK);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.asked, 1);
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    window->PostMessage(WM_VIDEO_CLICK);
    window->PostMessage(WM_VIDEO_DBLCLK);
    window->PostMessage(WM_VIDEO_CLICK);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(Commands(),
              (std::vector<std::string>{"mpv_command cycle pause", "mpv_command cycle pause"}));
}

// Dropped media files are the queue, one alone with its folder; subtitle files dropped while
// a film plays are added to it and shown, and ignored while none does.
TEST_F(PlayerTest, DroppedFilesAreTheQueueAndSubtitlesGoToTheFilm) {
    const QString subtitles = MediaFile(QStringLiteral("dropped.srt"));
    const auto drop = [&](const QStringList& paths) {
        fake.ClearCalls();
        window->PostMessage(WM_VIDEO_DROPFILE, MakePayload(paths));
        QCoreApplication::processEvents();
    };
    drop({subtitles});
    EXPECT_TRUE(Commands().empty()) << "no film to add it to";

    const QString second = MediaFile(QStringLiteral("ep 2.mkv"));
    const QString tenth = MediaFile(QStringLiteral("ep 10.mkv"));
    drop({tenth});
    EXPECT_EQ(window->GetPlayer().FilePath(), tenth);
    EXPECT_EQ(window->GetPlayer().Queue().Index(), 1) << "after ep 2 in its folder";

    drop({tenth, subtitles, second});
    EXPECT_EQ(window->GetPlayer().Queue().Files(), (QStringList{tenth, second}));
    EXPECT_EQ(window->GetPlayer().FilePath(), tenth);

    drop({subtitles});
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command sub-add " +
                                                   subtitles.toStdString() + " select"});
    EXPECT_EQ(window->GetPlayer().FilePath(), tenth) << "the film plays on";
    LoadInterfaceLanguage(platform::kLangEnglish);
    fake.SetCommandResult(-1);
    drop({subtitles});
    const std::vector<std::string> sent = Commands();
    EXPECT_NE(std::find(sent.begin(), sent.end(),
                        "mpv_command show-text Subtitle file not loaded: dropped.srt 2000"),
              sent.end());
}

// Run on two screens, the second at 1.5 times the first one's scale (two_screens.json).
class PlayerScaleTest : public PlayerTest {};

// Dragged to a screen of another scale and back, the window follows each scale as start-up
// would have laid it out there: the skin's images for the scale, the bars and the video area
// in device pixels at it, and the control bar's band that drags the window.
TEST_F(PlayerScaleTest, TheWindowFollowsTheScaleOfTheScreenItIsMovedTo) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    QWidget* host = window->GetHWND();
    CPaintManagerUI& pm = window->GetPM();
    const auto deviceHeight = [&](const char* name) {
        pm.LayoutIfNeeded();
        return CDPI::ToDevice(Control(name)->GetPos(), window->DevicePixelRatio()).height();
    };
    // Just below the progress slider, over the bare bar: in the band that drags the window,
    // which reaches 46 x 1.5 device pixels up from the bottom at 1.5, not 46.
    const auto hitTestBelowTheSlider = [&] {
        const QPoint pt =
            window->ClientToScreen(CDPI::ToDevice(QPointF(400, 562), window->DevicePixelRatio()));
        return window->SendMessage(WM_NCHITTEST, 0, MakePointLParam(pt.x(), pt.y()));
    };
    struct Case {
        int screen;
        int dpi;
        int top, bottom;
        QRect client, video;
    };
    for (const Case& c : {Case{1, 144, 45, 90, {0, 0, 1200, 900}, {0, 45, 1200, 765}},
                          Case{0, 96, 30, 60, {0, 0, 800, 600}, {0, 30, 800, 510}}}) {
        SCOPED_TRACE(c.dpi);
        window->handledMessages.clear();
        host->move(screens[c.screen]->geometry().topLeft());
        // The move lays the video out again once Qt has put the window on its new screen.
        ASSERT_TRUE(Await([&] { return window->Count(WM_RELAYOUT_VIDEO) > 0; }));
        EXPECT_EQ(window->VideoWindow().GetRect(), c.video);
        EXPECT_EQ(window->DevicePixelRatio(), c.dpi / 96.0);
        EXPECT_EQ(pm.GetDPI(), c.dpi);
        EXPECT_EQ(window->DpiScale(), static_cast<float>(c.dpi) / 96.0f);
        EXPECT_EQ(pm.GetImage(QStringLiteral("imgs/close_normal.png"))->scale, c.dpi / 96.0);
        EXPECT_EQ(deviceHeight("vTop"), c.top);
        EXPECT_EQ(deviceHeight("vBottom"), c.bottom);
        EXPECT_EQ(window->GetClientRect(), c.client) << "the window keeps its logical size";
        EXPECT_EQ(host->pos(), screens[c.screen]->geometry().topLeft()) << "and its place";
        EXPECT_EQ(hitTestBelowTheSlider(), HTCAPTION);
    }
}
