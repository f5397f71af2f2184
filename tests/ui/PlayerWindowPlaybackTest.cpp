// The window's side of playback: the engine started into the video window, the open
// dialog, the play button's look, the displays the player feeds, and the close.
#include <QRegularExpression>
#include <QSet>
#include <QWidget>

#include "PlayerFixture.h"
#include "app/LanguageChoice.h"
#include "platform/UiLanguage.h"
#include "toolkit/UIButton.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"

TEST_F(PlayerTest, StartsTheEngineIntoTheVideoWindowWithTheSavedVolumeAndMute) {
    window.reset();  // its own save would overwrite the settings below
    SettingsStore saved(folder.path() + QStringLiteral("/MoviraPlayer/"));
    saved.m_volume = 35.0;
    saved.m_mute = true;
    ASSERT_TRUE(saved.Save());
    Start();
    EXPECT_EQ(window->GetPlayer().Engine(), FakeEngineApi::Handle());
    EXPECT_TRUE(window->GetPlayer().IsMuted());
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 35);
    auto* volume = dynamic_cast<CButtonUI*>(Control("btn_volume"));
    EXPECT_EQ(volume->GetNormalImage().file, QStringLiteral("imgs/volume_close_normal.png"));
    EXPECT_EQ(window->VideoWindow().GetRect(), QRect(0, 30, 800, 510));
}

TEST(PlayerEngineStart, OptionsWindowVolumeAndMuteReachTheEngineInOrder) {
    QTemporaryDir folder;
    FakeEngineApi fake;
    SettingsStore store(folder.path() + QStringLiteral("/MoviraPlayer/"));
    store.m_volume = 55.0;
    ASSERT_TRUE(store.Save());
    PlayerWindow window(fake.Api(), &store);
    ASSERT_TRUE(window.Create(nullptr, QStringLiteral("MoviraPlayer"), WS_VISIBLE, 0));
    const auto calls = fake.CallTexts();
    const std::string wid =
        "mpv_set_option wid int64 " + std::to_string(window.VideoWindow().GetNativeId());
    const auto at = [&](const std::string& text) {
        return std::find(calls.begin(), calls.end(), text) - calls.begin();
    };
    ASSERT_LT(at(wid), static_cast<long>(calls.size()));
    EXPECT_LT(at("mpv_create"), at(wid));
    EXPECT_LT(at(wid), at("mpv_initialize"));
    EXPECT_LT(at("mpv_initialize"), at("mpv_set_property volume double 55"));
    EXPECT_LT(at("mpv_set_property volume double 55"), at("mpv_set_property_string mute no"));
}

// The dialog's types are named by the language table and offer the extensions of the media
// types the desktop entry names (desktop/mime-types.txt), each once.
TEST_F(PlayerTest, OpenDialogIsAskedForAnEmptyPathAndCancelStillSaves) {
    LoadInterfaceLanguage(platform::kLangEnglish);
    dialog.answer = std::nullopt;
    window->OpenMedia(QString());
    EXPECT_EQ(dialog.asked, 1);
    ASSERT_EQ(dialog.lastFilters.size(), 2u);
    EXPECT_EQ(dialog.lastFilters[0].first, QStringLiteral("Media files"));
    const QStringList patterns = dialog.lastFilters[0].second.split(u';');
    for (const char* extension : {"mp3", "mp4", "mkv", "avi", "mov", "flv", "m4a", "flac", "wav",
                                  "webm", "ogg", "opus", "ts", "wmv", "3gp", "mka", "mod"})
        EXPECT_TRUE(patterns.contains(QStringLiteral("*.") + QLatin1String(extension)))
            << extension;
    static const QRegularExpression pattern(QStringLiteral("^\\*\\.[a-z0-9+]+$"));
    for (const QString& p : patterns) EXPECT_TRUE(pattern.match(p).hasMatch()) << p.toStdString();
    EXPECT_EQ(QSet<QString>(patterns.begin(), patterns.end()).size(), patterns.size());
    EXPECT_EQ(dialog.lastFilters[1],
              platform::FileFilter(QStringLiteral("All files"), QStringLiteral("*")));
    EXPECT_TRUE(QFile::exists(store->ConfigFilePath()));
    EXPECT_TRUE(Commands().empty());

    LoadInterfaceLanguage(platform::kLangChinese);
    dialog.answer = MediaFile();
    window->OpenMedia(QString());
    EXPECT_EQ(dialog.lastFilters[0].first, QStringLiteral("音视频文件"));
    EXPECT_EQ(dialog.lastFilters[0].second, patterns.join(u';'));
    EXPECT_EQ(dialog.lastFilters[1],
              platform::FileFilter(QStringLiteral("所有文件"), QStringLiteral("*")));
    EXPECT_EQ(window->GetPlayer().FilePath(), *dialog.answer);
    LoadInterfaceLanguage(platform::kLangEnglish);
}

TEST_F(PlayerTest, PlayStateDrivesThePlayButton) {
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    fake.SetFlag("pause", false);
    fake.QueueFlagChange("pause", false);
    Wakeup();
    auto* play = dynamic_cast<CButtonUI*>(Control("btn_play"));
    EXPECT_EQ(play->GetNormalImage().file, QStringLiteral("imgs/playing_normal.png"));
    EXPECT_EQ(play->GetToolTip().isEmpty(), false);
}

TEST_F(PlayerTest, NothingReachesTheLibraryWithoutAnEngine) {
    Start(false);
    ASSERT_EQ(window->GetPlayer().Engine(), nullptr);
    fake.ClearCalls();
    const QString path = MediaFile();
    window->OpenMedia(path);
    window->SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    window->SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    window->SendMessage(WM_FILE_LOADED);
    Click("btn_play");
    Click("btn_stop");
    Click("btn_forward");
    Wakeup();
    EXPECT_TRUE(fake.Calls().empty()) << fake.CallTexts().front();
    EXPECT_TRUE(window->GetPlayer().FilePath().isEmpty());
    EXPECT_EQ(Control("lbl_time")->GetText(), QStringLiteral("00:00 / 00:00"));
    EXPECT_FALSE(Control("lbl_speed")->IsVisible());
    window.reset();
    EXPECT_TRUE(fake.Calls().empty()) << "no quit, no destroy";
}

TEST_F(PlayerTest, ClosingSavesThenQuitsThenDestroysTheEngine) {
    const QString path = MediaFile();
    window->OpenMedia(path);
    fake.SetDouble("time-pos", 12.5);
    fake.ClearCalls();
    window.reset();
    const auto calls = fake.CallTexts();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "mpv_command_string quit");
    EXPECT_EQ(calls.back(), "mpv_terminate_destroy");
    SettingsStore reread(folder.path() + QStringLiteral("/MoviraPlayer/"));
    reread.Load();
    ASSERT_TRUE(reread.FindEntry(path));
    EXPECT_DOUBLE_EQ(reread.FindEntry(path)->progress, 12.5);
}

// What the desktop's media controls change through the player shows in the window as if
// the user had done it: the speed label reads like the menu's items, the volume slider
// moves, and a raise brings back a minimised window.
TEST_F(PlayerTest, ChangesMadeThroughThePlayerShowInTheWindow) {
    window->OpenMedia(MediaFile());
    window->GetPlayer().SetSpeed(1.5);
    EXPECT_EQ(Control("lbl_speed")->GetText(), QStringLiteral("1.5x"));
    EXPECT_TRUE(Control("lbl_speed")->IsVisible());
    window->GetPlayer().SetSpeed(3.0);
    EXPECT_EQ(Control("lbl_speed")->GetText(), QStringLiteral("3x"));
    EXPECT_EQ(window->GetPlayer().MinimumSpeed(), 0.25) << "the speed menu's first item";
    EXPECT_EQ(window->GetPlayer().MaximumSpeed(), 4.0) << "and its last";
    window->GetPlayer().SetMute(true);
    window->GetPlayer().SetVolume(135);
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 100) << "kept within the slider's range";
    auto* volume = dynamic_cast<CButtonUI*>(Control("btn_volume"));
    EXPECT_EQ(volume->GetNormalImage().file, QStringLiteral("imgs/volume_normal.png"));

    window->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(window->IsIconic());
    window->Raise();
    EXPECT_FALSE(window->IsIconic());
    EXPECT_TRUE(window->GetHWND()->isVisible());
}
