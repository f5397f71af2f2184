// The playback rules of the player on the recording engine: what opening, resuming, saving
// and the play state send, and that nothing reaches the library without an engine.
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <QDir>

#include "PlayerModelFixture.h"
#include "platform/FileName.h"

namespace {
bool Contains(const std::vector<std::string>& calls, const std::string& text) {
    return std::find(calls.begin(), calls.end(), text) != calls.end();
}
}  // namespace

TEST_F(PlayerModelTest, TheSavedVolumeAndMuteReachTheEngineInOrder) {
    player.reset();
    SettingsStore saved(folder.path() + QStringLiteral("/MoviraPlayer/"));
    saved.m_volume = 35.0;
    saved.m_mute = true;
    ASSERT_TRUE(saved.Save());
    Start();
    EXPECT_TRUE(player->IsMuted());
    EXPECT_EQ(player->VolumeLevel(), 35);
    fake.ClearCalls();
    store->m_volume = 55.0;
    store->m_mute = false;
    ASSERT_TRUE(store->Save());
    player->LoadSettings();
    EXPECT_EQ(fake.CallTexts(), (std::vector<std::string>{"mpv_set_property volume double 55",
                                                          "mpv_set_property_string mute no"}));
}

TEST_F(PlayerModelTest, OpenSavesFirstThenLoadsAnExistingFileAsUtf8) {
    const QString path = MediaFile(QStringLiteral("视频 ✓.mp4"));
    EXPECT_TRUE(player->Open(path));
    EXPECT_EQ(player->FilePath(), path);
    EXPECT_TRUE(Contains(Commands(), "mpv_command loadfile " + path.toStdString()));
    EXPECT_TRUE(QFile::exists(store->ConfigFilePath())) << "the settings are saved first";
    EXPECT_TRUE(store->m_resume.empty()) << "no position is kept for no file";

    fake.ClearCalls();
    EXPECT_FALSE(player->Open(folder.path() + QStringLiteral("/missing.mp4")));
    EXPECT_FALSE(player->Open(QString()));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(player->FilePath(), path);
}

// A name that is not UTF-8 is found and loaded by its own bytes, and remembered under its
// escaped text. On Windows a name in either separator is one file, loaded and remembered in
// the system's spelling. An address of one of the engine's protocols is loaded as given, any
// other text that names no file is ignored.
TEST_F(PlayerModelTest, OpenFindsNamesByTheirBytesAndPassesAddresses) {
#ifdef _WIN32
    const QString name = EmptyFile(folder.path(), QStringLiteral(u"张三 电影.mp4"));
    const QString native = QDir::toNativeSeparators(name);
    ASSERT_NE(name, native);
    player->Open(name);
    EXPECT_EQ(player->FilePath(), native);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command loadfile " + native.toStdString()});
    fake.SetDouble("time-pos", 12.5);
    player->SavePosition();
    ASSERT_NE(store->FindEntry(native), nullptr);
    player->Open(native);
    EXPECT_EQ(store->m_resume.size(), 1u);
#else
    const QByteArray bytes = QFile::encodeName(folder.path()) + "/caf\xE9.mp4";
    const int fd = ::open(bytes.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    // QTemporaryDir reads the name as another and could not remove it.
    const std::unique_ptr<const char, int (*)(const char*)> removal(bytes.constData(), ::unlink);
    const QString name = platform::DecodeFileName(bytes);
    player->Open(name);
    EXPECT_EQ(player->FilePath(), name);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command loadfile " + bytes.toStdString()});
    fake.SetDouble("time-pos", 12.5);
    player->SavePosition();
    ASSERT_NE(store->FindEntry(name), nullptr);
    EXPECT_EQ(store->FindEntry(QString::fromUtf8(bytes)), nullptr);
#endif

    fake.SetString("protocol-list", "http,https");
    fake.ClearCalls();
    player->Open(QStringLiteral("https://host/a%20b.mp4"));
    EXPECT_EQ(player->FilePath(), QStringLiteral("https://host/a%20b.mp4"));
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command loadfile https://host/a%20b.mp4"});
    fake.ClearCalls();
    player->Open(QStringLiteral("gopher://host/a.mp4"));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(player->FilePath(), QStringLiteral("https://host/a%20b.mp4"));
}

TEST_F(PlayerModelTest, ResumeThresholdsSaveAndRestore) {
    const QString path = MediaFile();
    player->Open(path);
    struct Case {
        double position;
        double stored;
        bool restored;
    };
    for (const Case& c : {Case{4.9, 0.0, false}, Case{5.0, 5.0, false}, Case{5.001, 5.001, true}}) {
        fake.SetDouble("time-pos", c.position);
        player->SavePosition();
        ASSERT_TRUE(store->FindEntry(path));
        EXPECT_DOUBLE_EQ(store->FindEntry(path)->progress, c.stored);
        fake.ClearCalls();
        player->RestorePosition();
        if (c.restored)
            EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command seek 5.001 absolute"});
        else
            EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command cycle pause"})
                << c.position;
    }
}

// Without a position from the engine, the last one it reported is saved; a new file starts
// from nothing, so the one before's place is never saved for it.
TEST_F(PlayerModelTest, SaveWithoutAPositionFromTheEngineKeepsTheLastReported) {
    const QString first = MediaFile(QStringLiteral("first.mp4"));
    player->Open(first);
    fake.QueueDoubleChange("time-pos", 42.0);
    player->DrainEvents();
    fake.RemoveProperty("time-pos");
    player->SavePosition();
    EXPECT_DOUBLE_EQ(store->FindEntry(first)->progress, 42.0);
    const QString second = MediaFile(QStringLiteral("second.mp4"));
    player->Open(second);
    player->SavePosition();
    EXPECT_DOUBLE_EQ(store->FindEntry(second)->progress, 0.0);
    EXPECT_DOUBLE_EQ(store->FindEntry(first)->progress, 42.0);
}

TEST_F(PlayerModelTest, TogglePauseAtTheEndStartsOverAndNeedsAFile) {
    player->TogglePause();
    EXPECT_TRUE(Commands().empty()) << "nothing open";
    player->Open(MediaFile());
    fake.ClearCalls();
    fake.SetFlag("eof-reached", true);
    player->TogglePause();
    EXPECT_EQ(fake.CallTexts("mpv_command"),
              std::vector<std::string>{"mpv_command seek 0 absolute"});
    EXPECT_TRUE(Contains(fake.CallTexts(), "mpv_set_property_string pause no"));
}

TEST_F(PlayerModelTest, NothingReachesTheLibraryWithoutAnEngine) {
    Start(false);
    ASSERT_EQ(player->Engine(), nullptr);
    fake.ClearCalls();
    const QString path = MediaFile();
    EXPECT_FALSE(player->Open(path));
    player->TogglePause();
    player->Play();
    player->SeekBy(30.0);
    player->SeekTo(3.0);
    player->SetSpeed(1.5);
    player->SetVolume(20);
    player->SetMute(true);
    player->SelectSubtitle(2);
    player->RestorePosition();
    player->SavePosition();
    player->Stop();
    (void)player->GetPlayState();
    player->DrainEvents();
    EXPECT_TRUE(fake.Calls().empty()) << fake.CallTexts().front();
    EXPECT_TRUE(player->FilePath().isEmpty());
    EXPECT_FALSE(player->HasOpenFile());
    player.reset();
    EXPECT_TRUE(fake.Calls().empty()) << "no quit, no destroy";
}

// Observers may come and go while they are told; the volume stays in its range.
TEST_F(PlayerModelTest, ObserversAndTheVolumeRange) {
    struct Leaving : RecordingObserver {
        Player* player = nullptr;
        void OnPlayerChanged() override {
            RecordingObserver::OnPlayerChanged();
            player->RemoveObserver(this);
        }
    } leaving;
    leaving.player = player.get();
    RecordingObserver staying;
    player->AddObserver(&leaving);
    player->AddObserver(&staying);
    player->AddObserver(&staying);
    player->SetVolumeRange(0, 80);
    player->ToggleMute();
    player->SetVolume(95);
    player->SetVolume(-5);
    EXPECT_EQ(leaving.changes, 1);
    EXPECT_EQ(staying.changes, 3) << "told once each time, though added twice";
    EXPECT_EQ(staying.volumes, (std::vector<int>{80, 0}));
    EXPECT_EQ(staying.mutes, (std::vector<bool>{true, false, false})) << "a volume unmutes";
    player->RemoveObserver(&staying);
}

// A file opened alone has its folder as its queue: next and previous save the position and
// load their file; at the end of a file the next one plays and the one that ended starts from
// the beginning next time; the last file just ends; config.ini's AutoNext=0 stops it all.
TEST_F(PlayerModelTest, TheQueueMovesOnByCommandAndAtTheEnd) {
    const QString first = MediaFile(QStringLiteral("ep 1.mp4"));
    const QString second = MediaFile(QStringLiteral("ep 2.mp4"));
    const QString tenth = MediaFile(QStringLiteral("ep 10.mp4"));
    MediaFile(QStringLiteral("ep 3.txt"));
    ASSERT_TRUE(player->Open(second));
    EXPECT_TRUE(player->HasNext() && player->HasPrevious());
    EXPECT_EQ(player->Queue().Size(), 3);

    fake.SetDouble("time-pos", 61.0);
    fake.ClearCalls();
    ASSERT_TRUE(player->Previous());
    EXPECT_DOUBLE_EQ(store->FindEntry(second)->progress, 61.0);
    EXPECT_EQ(player->FilePath(), first);
    EXPECT_TRUE(Contains(Commands(), "mpv_command loadfile " + first.toStdString()));
    EXPECT_TRUE(Contains(fake.CallTexts(), "mpv_set_property_string pause yes"))
        << "the file waits for its resume";
    EXPECT_FALSE(player->Previous()) << "nothing before the first";
    EXPECT_EQ(player->FilePath(), first);

    // The end of the first: the second plays from where it was left.
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    player->DrainEvents();
    fake.ClearCalls();
    fake.SetFlag("eof-reached", true);
    fake.QueueFlagChange("eof-reached", true);
    player->DrainEvents();
    EXPECT_EQ(player->FilePath(), second);
    EXPECT_DOUBLE_EQ(store->FindEntry(first)->progress, 0.0) << "watched to its end";
    fake.QueueFlagChange("pause", true);  // the old file's flags while the next one loads
    player->DrainEvents();
    EXPECT_EQ(player->FilePath(), second) << "one end moves on once";
    fake.SetFlag("eof-reached", false);
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    player->DrainEvents();
    fake.ClearCalls();
    player->RestorePosition();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"mpv_command seek 61.000 absolute",
                                                "mpv_set_property_string pause no"}));

    // The last file ends as a file always did.
    ASSERT_TRUE(player->Next());
    EXPECT_EQ(player->FilePath(), tenth);
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    fake.SetFlag("eof-reached", true);
    fake.QueueFlagChange("eof-reached", true);
    player->DrainEvents();
    EXPECT_EQ(player->FilePath(), tenth);

    // Switched off by hand in config.ini.
    ASSERT_TRUE(WriteFile(store->ConfigFilePath(), "[Settings]\nAutoNext=0\n"));
    player->LoadSettings();
    ASSERT_TRUE(player->Open(first));
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    fake.QueueFlagChange("eof-reached", true);
    player->DrainEvents();
    EXPECT_EQ(player->FilePath(), first);
}

// Files given together are the queue in their order, without those that cannot be opened;
// a file gone since the queue was made is passed over.
TEST_F(PlayerModelTest, FilesGivenTogetherAreTheQueue) {
    const QString b = MediaFile(QStringLiteral("b.mkv"));
    const QString a = MediaFile(QStringLiteral("a.mkv"));
    const QString c = MediaFile(QStringLiteral("c.mkv"));
    EXPECT_FALSE(player->OpenFiles({folder.path() + QStringLiteral("/gone.mkv"), QString()}));
    ASSERT_TRUE(player->OpenFiles({b, folder.path() + QStringLiteral("/gone.mkv"), a, c}));
    EXPECT_EQ(player->Queue().Files(), (QStringList{b, a, c}));
    EXPECT_EQ(player->FilePath(), b);
    ASSERT_TRUE(QFile::remove(a));
    ASSERT_TRUE(player->Next());
    EXPECT_EQ(player->FilePath(), c);
    ASSERT_TRUE(player->Previous());
    EXPECT_EQ(player->FilePath(), b);

    // A file the queue leads to that the engine cannot play is passed over, the same way on,
    // and gets no entry; at the end of the queue, or opened by hand, it stays as it is.
    const QString broken = MediaFile(QStringLiteral("broken.mkv"));
    const QString d = MediaFile(QStringLiteral("d.mkv"));
    ASSERT_TRUE(player->OpenFiles({b, broken, d}));
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    player->DrainEvents();
    ASSERT_TRUE(player->Next());
    fake.QueueEndFile(MPV_END_FILE_REASON_ERROR);
    player->DrainEvents();
    EXPECT_EQ(player->FilePath(), d);
    EXPECT_EQ(store->FindEntry(broken), nullptr);
    fake.QueueEndFile(MPV_END_FILE_REASON_ERROR);
    player->DrainEvents();
    EXPECT_EQ(player->FilePath(), d);
    fake.QueueEndFile(MPV_END_FILE_REASON_STOP);  // a file left for another: no failure
    ASSERT_TRUE(player->Open(broken));
    fake.QueueEndFile(MPV_END_FILE_REASON_ERROR);
    player->DrainEvents();
    EXPECT_EQ(player->FilePath(), broken);
}

// The audio track chosen is remembered by its language, or by its number without one, and
// put back when the file is opened again; a subtitle delay too, in tenths of a second.
TEST_F(PlayerModelTest, AudioTrackAndSubtitleDelayAreRememberedPerFile) {
    const auto addTrack = [this](int index, std::int64_t id, const char* lang) {
        const std::string prefix = "track-list/" + std::to_string(index) + "/";
        fake.SetString(prefix + "type", "audio");
        fake.SetInt64(prefix + "id", id);
        if (lang) fake.SetString(prefix + "lang", lang);
        fake.SetInt64("track-list/count", index + 1);
    };
    addTrack(0, 1, "eng");
    addTrack(1, 2, "fre");
    addTrack(2, 3, nullptr);
    const QString path = MediaFile();
    ASSERT_TRUE(player->Open(path));
    fake.SetInt64("aid", 1);
    fake.ClearCalls();
    player->CycleAudio();
    EXPECT_EQ(Sent(), std::vector<std::string>{"mpv_set_property_string aid 2"});
    EXPECT_EQ(store->FindEntry(path)->audio, QStringLiteral("fre"));
    fake.SetInt64("aid", 3);
    fake.ClearCalls();
    player->CycleAudio();
    EXPECT_EQ(Sent(), std::vector<std::string>{"mpv_set_property_string aid 1"}) << "wraps";
    player->SelectAudio(3);
    EXPECT_EQ(store->FindEntry(path)->audio, QStringLiteral("3"));

    fake.SetDouble("sub-delay", 0.2);
    EXPECT_DOUBLE_EQ(player->ShiftSubtitleDelay(0.1), 0.3);
    fake.SetDouble("sub-delay", -0.1);
    EXPECT_DOUBLE_EQ(player->ShiftSubtitleDelay(0.1), 0.0) << "back to exactly none";
    fake.SetDouble("sub-delay", 0.3);
    EXPECT_DOUBLE_EQ(player->ShiftSubtitleDelay(-0.1), 0.2);
    fake.SetDouble("time-pos", 30.0);
    player->SavePosition();

    // Another file resets both; this one, opened again, gets them back.
    const QString other = MediaFile(QStringLiteral("other.mp4"));
    fake.ClearCalls();
    ASSERT_TRUE(player->Open(other));
    EXPECT_TRUE(Contains(Sent(), "mpv_set_property_string aid auto"));
    EXPECT_TRUE(Contains(Sent(), "mpv_set_property sub-delay double 0"));
    Start();  // a new run: read from the files
    ASSERT_TRUE(player->Open(path));
    fake.ClearCalls();
    player->RestorePosition();
    EXPECT_EQ(Sent(), (std::vector<std::string>{"mpv_set_property_string aid 3",
                                                "mpv_set_property sub-delay double 0.2",
                                                "mpv_command seek 30.000 absolute"}));
    // By language first: a release whose French track is another number still gets it.
    store->EntryFor(path).audio = QStringLiteral("FRE");
    fake.ClearCalls();
    player->RestorePosition();
    EXPECT_TRUE(Contains(Sent(), "mpv_set_property_string aid 2"));
    store->EntryFor(path).audio = QStringLiteral("jpn");
    fake.ClearCalls();
    player->RestorePosition();
    EXPECT_FALSE(Contains(Sent(), "mpv_set_property_string aid 2")) << "no such track";
}

// A subtitle file is added to the film that plays and shown; one the engine cannot read is
// reported as such, and nothing is sent with no film.
TEST_F(PlayerModelTest, SubtitleFilesNeedAFilmAndReportFailure) {
    const QString subtitles = MediaFile(QStringLiteral("film.srt"));
    EXPECT_FALSE(player->AddSubtitleFile(subtitles));
    EXPECT_TRUE(Commands().empty());
    ASSERT_TRUE(player->Open(MediaFile()));
    fake.ClearCalls();
    EXPECT_TRUE(player->AddSubtitleFile(subtitles));
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command sub-add " +
                                                   subtitles.toStdString() + " select"});
    fake.SetCommandResult(-13);
    EXPECT_FALSE(player->AddSubtitleFile(subtitles));
}
