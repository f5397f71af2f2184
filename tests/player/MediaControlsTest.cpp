// The desktop's media controls (MPRIS) on a player with the recording engine: each request
// reaches the engine as the matching control of the window sends it, or not at all, and
// what they report follows the player.
#include <QDBusObjectPath>
#include <QDir>
#include <QObject>
#include <QUrl>
#include <cmath>
#include <functional>
#include <limits>

#include "PlayerModelFixture.h"
#include "session/MprisPlayerAdaptor.h"
#include "session/MprisRootAdaptor.h"
#include "session/MprisValues.h"

namespace {

class MediaControlsTest : public PlayerModelTest {
  protected:
    void SetUp() override {
        PlayerModelTest::SetUp();
        controls = new MprisPlayerAdaptor(&object, *player);
        player->AddObserver(&observer);
    }
    void TearDown() override { player->RemoveObserver(&observer); }
    QDBusObjectPath Track() const {
        return controls->Metadata().value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>();
    }

    QObject object;
    MprisPlayerAdaptor* controls = nullptr;  // owned by object
    RecordingObserver observer;
};

TEST_F(MediaControlsTest, RequestsSendWhatTheWindowsControlsSend) {
    Load(5400.0);
    const QDBusObjectPath track = Track();
    using State = std::function<void()>;
    const State playing = [] {};
    const State paused = [this] { fake.SetFlag("pause", true); };
    const State ended = [this] { fake.SetFlag("eof-reached", true); };
    struct Case {
        const char* what;
        State state;
        std::function<void(MprisPlayerAdaptor&)> request;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"PlayPause playing", playing, [](auto& c) { c.PlayPause(); }, {"mpv_command cycle pause"}},
        {"PlayPause paused", paused, [](auto& c) { c.PlayPause(); }, {"mpv_command cycle pause"}},
        {"Play playing", playing, [](auto& c) { c.Play(); }, {}},
        {"Pause paused", paused, [](auto& c) { c.Pause(); }, {}},
        {"Play at the end starts over",
         ended,
         [](auto& c) { c.Play(); },
         {"mpv_command seek 0 absolute", "mpv_set_property_string pause no"}},
        {"Stop", playing, [](auto& c) { c.Stop(); }, {"mpv_command stop"}},
        {"Seek back 5 s",
         playing,
         [](auto& c) { c.Seek(-5'000'000); },
         {"mpv_command seek -5.0 relative"}},
        {"SetPosition",
         playing,
         [&](auto& c) { c.SetPosition(track, 12'000'000); },
         {"mpv_command seek 12.000 absolute"}},
        {"SetPosition at the very end",
         playing,
         [&](auto& c) { c.SetPosition(track, 5'400'000'000); },
         {"mpv_command seek 5400.000 absolute"}},
        {"SetPosition of a stale track",
         playing,
         [](auto& c) {
             c.SetPosition(QDBusObjectPath(QStringLiteral("/example/movira/MoviraPlayer/track/9")),
                           12'000'000);
         },
         {}},
        {"SetPosition before the start", playing, [&](auto& c) { c.SetPosition(track, -1); }, {}},
        {"SetPosition past the end",
         playing,
         [&](auto& c) { c.SetPosition(track, 5'400'000'001); },
         {}},
        {"Rate 1.5",
         playing,
         [](auto& c) { c.SetRate(1.5); },
         {"mpv_set_property speed double 1.5"}},
        {"Rate 0 pauses", playing, [](auto& c) { c.SetRate(0.0); }, {"mpv_command cycle pause"}},
        {"Rate at the least offered",
         playing,
         [](auto& c) { c.SetRate(0.25); },
         {"mpv_set_property speed double 0.25"}},
        {"Rate between offered speeds",
         playing,
         [](auto& c) { c.SetRate(3.0); },
         {"mpv_set_property speed double 3"}},
        {"Rate above the menu", playing, [](auto& c) { c.SetRate(4.5); }, {}},
        {"Rate below the menu", playing, [](auto& c) { c.SetRate(0.2); }, {}},
        {"Rate not a number", playing, [](auto& c) { c.SetRate(std::nan("")); }, {}},
        {"Volume 0.35",
         playing,
         [](auto& c) { c.SetVolume(0.35); },
         {"mpv_set_property volume double 35", "mpv_set_property_string mute no"}},
        {"Volume above 1",
         playing,
         [](auto& c) { c.SetVolume(1.7); },
         {"mpv_set_property volume double 100", "mpv_set_property_string mute no"}},
        {"Volume below 0",
         playing,
         [](auto& c) { c.SetVolume(-0.2); },
         {"mpv_set_property volume double 0", "mpv_set_property_string mute no"}},
        {"Next", playing, [](auto& c) { c.Next(); }, {}},
        {"Previous", playing, [](auto& c) { c.Previous(); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* flag : {"pause", "eof-reached", "idle-active"}) fake.SetFlag(flag, false);
        c.state();
        fake.ClearCalls();
        c.request(*controls);
        EXPECT_EQ(Sent(), c.sent);
    }
    EXPECT_EQ(controls->MinimumRate(), 0.25);
    EXPECT_EQ(controls->MaximumRate(), 4.0);

    // Stopped, nothing is open: no seeking, no track.
    fake.SetFlag("idle-active", true);
    fake.ClearCalls();
    controls->Seek(1'000'000);
    controls->SetPosition(track, 1'000'000);
    controls->Play();
    EXPECT_EQ(Sent(), std::vector<std::string>{});
    EXPECT_EQ(controls->PlaybackStatus(), QStringLiteral("Stopped"));
    EXPECT_FALSE(controls->CanPlay() || controls->CanPause() || controls->CanSeek());
    EXPECT_TRUE(controls->CanControl()) << "it never changes";
    EXPECT_EQ(controls->Metadata().keys(), QStringList{QStringLiteral("mpris:trackid")});
    EXPECT_EQ(Track().path(), QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));

    // OpenUri opens as the command line does: a file: URI's name, percent-decoded.
    const QString spaced = MediaFile(QStringLiteral("a clip.mp4"));
    controls->OpenUri(QUrl::fromLocalFile(spaced).toString(QUrl::FullyEncoded));
    EXPECT_EQ(Sent(), std::vector<std::string>{"mpv_command loadfile " + spaced.toStdString()});
    fake.ClearCalls();
    controls->OpenUri(QString());
    EXPECT_EQ(Sent(), std::vector<std::string>{}) << "an empty URI opens nothing";
}

TEST_F(MediaControlsTest, ReportsFollowThePlayerAndItsEngine) {
    EXPECT_EQ(controls->PlaybackStatus(), QStringLiteral("Stopped"));
    EXPECT_EQ(Track().path(), QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    Load(5400.0);
    fake.QueueStringChange("media-title", "片名 Title");
    player->DrainEvents();
    EXPECT_EQ(controls->PlaybackStatus(), QStringLiteral("Playing"));
    fake.SetFlag("eof-reached", true);
    EXPECT_EQ(controls->PlaybackStatus(), QStringLiteral("Paused")) << "the end is still open";
    const QVariantMap metadata = controls->Metadata();
    EXPECT_EQ(Track().path(), QStringLiteral("/example/movira/MoviraPlayer/track/1"));
    // 90 minutes are past what 32 bits of microseconds hold.
    EXPECT_EQ(metadata.value(QStringLiteral("mpris:length")), QVariant(qlonglong{5'400'000'000}));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:title")),
              QVariant(QStringLiteral("片名 Title")));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:url")),
              QVariant(QUrl::fromLocalFile(MediaFile()).toString(QUrl::FullyEncoded)));
    fake.SetDouble("time-pos", 2147.4836475);
    EXPECT_EQ(controls->Position(), qlonglong{2'147'483'648}) << "rounded, not truncated";
    player->SetVolume(35);
    EXPECT_DOUBLE_EQ(controls->Volume(), 0.35);

    // Every file loaded is a new track, the same file again too.
    Load(10.0);
    EXPECT_EQ(Track().path(), QStringLiteral("/example/movira/MoviraPlayer/track/2"));

    // The observer hears of changes, and of a seek only once it has completed.
    observer = RecordingObserver();
    fake.QueueFlagChange("pause", true);
    fake.QueueEvent(MPV_EVENT_PLAYBACK_RESTART);  // a file's start is no seek
    player->DrainEvents();
    EXPECT_EQ(observer.changes, 1);
    EXPECT_TRUE(observer.seeks.empty());
    fake.SetDouble("time-pos", 12.0);
    fake.QueueEvent(MPV_EVENT_SEEK);
    fake.QueueEvent(MPV_EVENT_SEEK);
    fake.QueueEvent(MPV_EVENT_PLAYBACK_RESTART);
    player->DrainEvents();
    EXPECT_EQ(observer.seeks, std::vector<double>{12.0});
    controls->SetVolume(0.5);
    controls->SetRate(2.0);
    controls->Stop();
    EXPECT_EQ(observer.changes, 4);
    EXPECT_EQ(observer.volumes, std::vector<int>{50});
    EXPECT_EQ(observer.speeds, std::vector<double>{2.0});
    EXPECT_EQ(observer.stops, 1);
}

TEST_F(MediaControlsTest, RootRaisesAndQuitsThroughTheWindowAndNamesWhatItOpens) {
    int raised = 0;
    int closed = 0;
    auto* root = new MprisRootAdaptor(
        &object, *player, [&raised] { ++raised; }, [&closed] { ++closed; });
    root->Raise();
    root->Quit();
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(closed, 1);
    // What the desktop entry offers to open, and the engine's schemes besides "file".
    EXPECT_TRUE(root->SupportedMimeTypes().contains(QStringLiteral("video/mp4")));
    EXPECT_TRUE(root->SupportedMimeTypes().contains(QStringLiteral("audio/flac")));
    fake.SetString("protocol-list", "file,https");
    EXPECT_EQ(root->SupportedUriSchemes(),
              (QStringList{QStringLiteral("file"), QStringLiteral("https")}));
}

TEST(MprisValues, TimesStatesTracksAndUrls) {
    using mpris::MicrosecondsOf;
    EXPECT_EQ(MicrosecondsOf(0.0), 0);
    EXPECT_EQ(MicrosecondsOf(-3.0), 0);
    EXPECT_EQ(MicrosecondsOf(std::nan("")), 0);
    EXPECT_EQ(MicrosecondsOf(0.0000005), 1);
    EXPECT_EQ(MicrosecondsOf(12.3456784), 12'345'678);
    EXPECT_EQ(MicrosecondsOf(36000.0), 36'000'000'000);
    EXPECT_EQ(MicrosecondsOf(1e300), std::numeric_limits<qint64>::max());
    EXPECT_EQ(MicrosecondsOf(std::numeric_limits<double>::infinity()),
              std::numeric_limits<qint64>::max());

    EXPECT_EQ(mpris::PlaybackStatusOf(PlayState::Idle), QStringLiteral("Stopped"));
    EXPECT_EQ(mpris::PlaybackStatusOf(PlayState::Playing), QStringLiteral("Playing"));
    EXPECT_EQ(mpris::PlaybackStatusOf(PlayState::Paused), QStringLiteral("Paused"));
    EXPECT_EQ(mpris::PlaybackStatusOf(PlayState::Ended), QStringLiteral("Paused"));

    // Files as platform::FileUriOf gives them (tests/platform), addresses as they are.
    EXPECT_EQ(mpris::MediaUrlOf(QStringLiteral("/m/a b#1.mp4"), false),
              QStringLiteral("file:///m/a%20b%231.mp4"));
    EXPECT_EQ(mpris::MediaUrlOf(QStringLiteral("https://host/a b?x=1"), true),
              QStringLiteral("https://host/a b?x=1"));
}

}  // namespace
