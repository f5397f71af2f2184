#include <fcntl.h>
#include <unistd.h>

#include "PlayerFixture.h"
#include "platform/FileName.h"
#include "toolkit/UIButton.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"

namespace {
bool Contains(const std::vector<std::string>& calls, const std::string& text) {
    return std::find(calls.begin(), calls.end(), text) != calls.end();
}
}  // namespace

TEST_F(PlayerTest, StartsTheEngineIntoTheVideoWindowWithTheSavedVolumeAndMute) {
    window.reset();  // its own save would overwrite the settings below
    SettingsStore saved(folder.path() + QStringLiteral("/MoviraPlayer/"));
    saved.m_volume = 35.0;
    saved.m_mute = true;
    ASSERT_TRUE(saved.Save());
    Start();
    EXPECT_EQ(window->Engine(), FakeEngineApi::Handle());
    EXPECT_TRUE(window->IsMuted());
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

TEST_F(PlayerTest, OpenMediaSavesFirstThenLoadsAnExistingFileAsUtf8) {
    const QString path = MediaFile(QStringLiteral("视频 ✓.mp4"));
    window->OpenMedia(path);
    EXPECT_EQ(window->FilePath(), path);
    EXPECT_TRUE(Contains(Commands(), "mpv_command loadfile " + path.toStdString()));
    EXPECT_TRUE(QFile::exists(store->ConfigFilePath())) << "the settings are saved first";
    EXPECT_TRUE(store->m_resume.empty()) << "no position is kept for no file";

    fake.ClearCalls();
    window->OpenMedia(folder.path() + QStringLiteral("/missing.mp4"));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(window->FilePath(), path);
}

// A name that is not UTF-8 is found and loaded by its own bytes, and remembered under its
// escaped text; an address of one of the engine's protocols is loaded as given, any other
// text that names no file is ignored.
TEST_F(PlayerTest, OpenMediaFindsNamesByTheirBytesAndPassesAddresses) {
    const QByteArray bytes = QFile::encodeName(folder.path()) + "/caf\xE9.mp4";
    const int fd = ::open(bytes.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    // QTemporaryDir reads the name as another and could not remove it.
    const std::unique_ptr<const char, int (*)(const char*)> removal(bytes.constData(), ::unlink);
    const QString name = platform::DecodeFileName(bytes);
    window->OpenMedia(name);
    EXPECT_EQ(window->FilePath(), name);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command loadfile " + bytes.toStdString()});
    fake.SetDouble("time-pos", 12.5);
    window->SavePosition();
    ASSERT_NE(store->FindEntry(name), nullptr);
    EXPECT_EQ(store->FindEntry(QString::fromUtf8(bytes)), nullptr);

    fake.SetString("protocol-list", "http,https");
    fake.ClearCalls();
    window->OpenMedia(QStringLiteral("https://host/a%20b.mp4"));
    EXPECT_EQ(window->FilePath(), QStringLiteral("https://host/a%20b.mp4"));
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command loadfile https://host/a%20b.mp4"});
    fake.ClearCalls();
    window->OpenMedia(QStringLiteral("gopher://host/a.mp4"));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(window->FilePath(), QStringLiteral("https://host/a%20b.mp4"));
}

TEST_F(PlayerTest, OpenDialogIsAskedForAnEmptyPathAndCancelStillSaves) {
    qputenv("LANGUAGE", "en");
    dialog.answer = std::nullopt;
    window->OpenMedia(QString());
    EXPECT_EQ(dialog.asked, 1);
    ASSERT_EQ(dialog.lastFilters.size(), 2u);
    EXPECT_EQ(dialog.lastFilters[0].first, QStringLiteral("Media files"));
    EXPECT_EQ(dialog.lastFilters[0].second,
              QStringLiteral("*.mp3;*.mp4;*.mkv;*.avi;*.mov;*.flv;*.m4a;*.flac;*.wav"));
    EXPECT_EQ(dialog.lastFilters[1],
              platform::FileFilter(QStringLiteral("All files"), QStringLiteral("*")));
    EXPECT_TRUE(QFile::exists(store->ConfigFilePath()));
    EXPECT_TRUE(Commands().empty());

    qputenv("LANGUAGE", "zh_CN");
    dialog.answer = MediaFile();
    window->OpenMedia(QString());
    EXPECT_EQ(dialog.lastFilters[0].first, QStringLiteral("音视频文件"));
    EXPECT_EQ(dialog.lastFilters[1].first, QStringLiteral("所有文件"));
    EXPECT_EQ(window->FilePath(), *dialog.answer);
    qunsetenv("LANGUAGE");
}

TEST_F(PlayerTest, ResumeThresholdsSaveAndRestore) {
    const QString path = MediaFile();
    window->OpenMedia(path);
    struct Case {
        double position;
        double stored;
        bool restored;
    };
    for (const Case& c : {Case{4.9, 0.0, false}, Case{5.0, 5.0, false}, Case{5.001, 5.001, true}}) {
        fake.SetDouble("time-pos", c.position);
        window->SavePosition();
        ASSERT_TRUE(store->FindEntry(path));
        EXPECT_DOUBLE_EQ(store->FindEntry(path)->progress, c.stored);
        fake.ClearCalls();
        window->RestorePosition();
        if (c.restored)
            EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command seek 5.001 absolute"});
        else
            EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command cycle pause"})
                << c.position;
    }
}

TEST_F(PlayerTest, PlayStateDrivesThePlayButtonAndTogglePause) {
    window->OpenMedia(MediaFile());
    fake.ClearCalls();
    fake.SetFlag("eof-reached", true);
    window->TogglePause();
    EXPECT_EQ(fake.CallTexts("mpv_command"),
              std::vector<std::string>{"mpv_command seek 0 absolute"});
    EXPECT_TRUE(Contains(fake.CallTexts(), "mpv_set_property_string pause no"));
    fake.SetFlag("eof-reached", false);
    fake.SetFlag("pause", false);
    fake.QueueFlagChange("pause", false);
    Wakeup();
    auto* play = dynamic_cast<CButtonUI*>(Control("btn_play"));
    EXPECT_EQ(play->GetNormalImage().file, QStringLiteral("imgs/playing_normal.png"));
    EXPECT_EQ(play->GetToolTip().isEmpty(), false);
}

TEST_F(PlayerTest, NothingReachesTheLibraryWithoutAnEngine) {
    Start(false);
    ASSERT_EQ(window->Engine(), nullptr);
    fake.ClearCalls();
    const QString path = MediaFile();
    window->OpenMedia(path);
    window->TogglePause();
    window->SeekRelative(30.0);
    window->SetSpeed(1.5, QStringLiteral("1.5x"));
    window->RestorePosition();
    window->SavePosition();
    (void)window->GetPlayState();
    window->UpdateTimeText();
    Click("btn_stop");
    Click("btn_forward");
    Wakeup();
    EXPECT_TRUE(fake.Calls().empty()) << fake.CallTexts().front();
    EXPECT_TRUE(window->FilePath().isEmpty());
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
