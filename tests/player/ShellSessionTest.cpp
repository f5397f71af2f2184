// The Windows shell's services on a player with the recording engine: what the media
// controls, the taskbar button, the display request and the recent documents are told at
// load, pause, seek, end, stop and close, and what the shell's requests send to the engine.
#include <QCoreApplication>
#include <QFileInfo>
#include <functional>

#include "PlayerModelFixture.h"
#include "session/ShellSession.h"

namespace {

using Calls = std::vector<std::string>;

std::string Fixed(double value) { return QString::number(value, 'f', 3).toStdString(); }

const char* NameOf(MediaStatus status) {
    constexpr const char* kNames[] = {"Closed", "Stopped", "Playing", "Paused"};
    return kNames[static_cast<int>(status)];
}

class RecordingMedia final : public MediaTransportControls {
  public:
    explicit RecordingMedia(Calls& calls) : m_calls(calls) {}
    bool IsActive() const override { return true; }
    void SetStatus(MediaStatus status) override {
        m_calls.push_back(std::string("status ") + NameOf(status));
    }
    void SetMedia(const QString& title, bool video) override {
        m_calls.push_back("media " + title.toStdString() + (video ? " (video)" : " (music)"));
    }
    void SetTimeline(double position, double duration) override {
        m_calls.push_back("timeline " + Fixed(position) + " of " + Fixed(duration));
    }
    void SetNavigation(bool previous, bool next) override {
        m_calls.push_back(std::string("navigation ") + (previous ? "previous " : "") +
                          (next ? "next" : "none"));
    }

  private:
    Calls& m_calls;
};

class RecordingTaskbar final : public TaskbarButton {
  public:
    explicit RecordingTaskbar(Calls& calls) : m_calls(calls) {}
    void SetThumbButtons(bool playing, bool enabled) override {
        m_calls.push_back(std::string("thumbs ") + (playing ? "pause" : "play") +
                          (enabled ? "" : " disabled"));
    }
    void SetProgress(TaskbarProgress state, double fraction) override {
        constexpr const char* kStates[] = {"none", "normal", "paused"};
        m_calls.push_back(std::string("progress ") + kStates[static_cast<int>(state)] + " " +
                          Fixed(fraction));
    }

  private:
    Calls& m_calls;
};

class RecordingDisplay final : public DisplayRequest {
  public:
    explicit RecordingDisplay(Calls& calls) : m_calls(calls) {}
    void SetHeld(bool held) override { m_calls.push_back(held ? "display on" : "display off"); }

  private:
    Calls& m_calls;
};

class RecordingRecent final : public RecentDocuments {
  public:
    explicit RecordingRecent(Calls& calls) : m_calls(calls) {}
    void Add(const QString& path) override {
        m_calls.push_back("recent " + QFileInfo(path).fileName().toStdString());
    }

  private:
    Calls& m_calls;
};

class ShellSessionTest : public PlayerModelTest {
  protected:
    void SetUp() override {
        PlayerModelTest::SetUp();
        session = std::make_unique<ShellSession>(
            *player, ShellServices{std::make_unique<RecordingMedia>(calls),
                                   std::make_unique<RecordingTaskbar>(calls),
                                   std::make_unique<RecordingDisplay>(calls),
                                   std::make_unique<RecordingRecent>(calls)});
    }
    Calls Told() { return std::exchange(calls, {}); }
    // Opens a 100 s film named "Film 片" with a moving picture, which plays.
    void LoadFilm() {
        fake.SetFlag("current-tracks/video/image", false);
        player->Open(MediaFile(QStringLiteral("film.mkv")));
        fake.QueueDoubleChange("duration", 100.0);
        fake.QueueStringChange("media-title", "Film 片");
        fake.QueueEvent(MPV_EVENT_FILE_LOADED);
        player->DrainEvents();
        fake.ClearCalls();
    }
    // The engine's flag changes, and says so.
    void Flag(const char* name, bool value) {
        fake.SetFlag(name, value);
        fake.QueueFlagChange(name, value);
        player->DrainEvents();
    }
    // The engine plays on to `seconds`.
    void PlayTo(double seconds) {
        fake.SetDouble("time-pos", seconds);
        fake.QueueDoubleChange("time-pos", seconds);
        player->DrainEvents();
    }

    Calls calls;
    std::unique_ptr<ShellSession> session;
};

TEST_F(ShellSessionTest, TheShellHearsOfEachChangeOnceAndIsClearedOnClose) {
    EXPECT_EQ(Told(), Calls{"navigation none"}) << "one file at a time: no previous or next";
    struct Step {
        const char* what;
        std::function<void()> act;
        Calls told;
    };
    const Step steps[] = {
        {"a film loads and plays",
         [&] { LoadFilm(); },
         {"status Playing", "timeline 0.000 of 100.000", "thumbs pause", "progress normal 0.000",
          "display on", "media Film 片 (video)", "recent film.mkv"}},
        {"the position moves less than a thousandth", [&] { PlayTo(0.04); }, {}},
        {"the position moves on", [&] { PlayTo(25.0); }, {"progress normal 0.250"}},
        {"pause",
         [&] { Flag("pause", true); },
         {"status Paused", "timeline 25.000 of 100.000", "thumbs play", "progress paused 0.250",
          "display off"}},
        {"a seek while paused",
         [&] {
             fake.SetDouble("time-pos", 60.0);
             fake.QueueEvent(MPV_EVENT_SEEK);
             fake.QueueEvent(MPV_EVENT_PLAYBACK_RESTART);
             player->DrainEvents();
         },
         {"timeline 60.000 of 100.000", "progress paused 0.600"}},
        {"play again",
         [&] { Flag("pause", false); },
         {"status Playing", "timeline 60.000 of 100.000", "thumbs pause", "progress normal 0.600",
          "display on"}},
        {"the end, waiting on the last frame",
         [&] { PlayTo(100.0), Flag("eof-reached", true); },
         {"progress normal 1.000", "status Paused", "timeline 100.000 of 100.000", "thumbs play",
          "progress paused 1.000", "display off"}},
        {"stop",
         [&] { player->Stop(), Flag("idle-active", true); },
         {"media  (music)", "status Stopped", "thumbs play disabled", "progress none 0.000"}},
        {"the film again, as sound alone",
         [&] {
             fake.RemoveProperty("current-tracks/video/image");
             fake.SetFlag("eof-reached", false);
             fake.SetDouble("time-pos", 0.0);
             player->Open(MediaFile(QStringLiteral("film.mkv")));
             fake.QueueEvent(MPV_EVENT_FILE_LOADED);
             Flag("idle-active", false);
         },
         {"recent film.mkv", "media Film 片 (music)", "status Playing", "timeline 0.000 of 100.000",
          "thumbs pause", "progress normal 0.000"}},
        {"close", [&] { session.reset(); }, {"progress none 0.000", "status Closed"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(Told(), step.told);
    }
}

TEST_F(ShellSessionTest, RequestsSendWhatTheWindowsControlsSend) {
    struct Case {
        const char* what;
        bool paused;
        std::function<void(ShellRequests&)> request;
        Calls sent;
    };
    const Case cases[] = {
        {"Play while paused",
         true,
         [](auto& r) { r.OnMediaButton(MediaButton::Play); },
         {"mpv_command cycle pause"}},
        {"Play while playing", false, [](auto& r) { r.OnMediaButton(MediaButton::Play); }, {}},
        {"Pause while playing",
         false,
         [](auto& r) { r.OnMediaButton(MediaButton::Pause); },
         {"mpv_command cycle pause"}},
        {"Pause while paused", true, [](auto& r) { r.OnMediaButton(MediaButton::Pause); }, {}},
        {"Stop", false, [](auto& r) { r.OnMediaButton(MediaButton::Stop); }, {"mpv_command stop"}},
        {"Next, with nothing next", false, [](auto& r) { r.OnMediaButton(MediaButton::Next); }, {}},
        {"Previous", false, [](auto& r) { r.OnMediaButton(MediaButton::Previous); }, {}},
        {"the timeline moved",
         false,
         [](auto& r) { r.OnPositionRequested(42.5); },
         {"mpv_command seek 42.500 absolute"}},
        {"the timeline at the very end",
         false,
         [](auto& r) { r.OnPositionRequested(100.0); },
         {"mpv_command seek 100.000 absolute"}},
        {"the timeline past the end", false, [](auto& r) { r.OnPositionRequested(100.5); }, {}},
        {"the timeline before the start", false, [](auto& r) { r.OnPositionRequested(-1.0); }, {}},
        {"the timeline at no number",
         false,
         [](auto& r) { r.OnPositionRequested(std::nan("")); },
         {}},
        {"thumbnail play/pause",
         false,
         [](auto& r) { r.OnThumbButton(ThumbButton::PlayPause); },
         {"mpv_command cycle pause"}},
        {"thumbnail -30 s",
         true,
         [](auto& r) { r.OnThumbButton(ThumbButton::Backward); },
         {"mpv_command seek -30.0 relative"}},
        {"thumbnail +30 s",
         false,
         [](auto& r) { r.OnThumbButton(ThumbButton::Forward); },
         {"mpv_command seek 30.0 relative"}},
    };
    LoadFilm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake.SetFlag("pause", c.paused);
        fake.SetFlag("idle-active", false);
        fake.ClearCalls();
        c.request(*session);
        EXPECT_EQ(Sent(), c.sent);
    }
    // With nothing open the thumbnail buttons and the timeline do nothing.
    player->Stop();
    fake.SetFlag("idle-active", true);
    fake.ClearCalls();
    session->OnThumbButton(ThumbButton::PlayPause);
    session->OnThumbButton(ThumbButton::Forward);
    session->OnPositionRequested(10.0);
    EXPECT_EQ(Sent(), Calls{});
}

// The media controls' previous and next buttons are on only while the queue goes that way,
// and pressing them goes there.
TEST_F(ShellSessionTest, TheMediaControlsWalkTheQueue) {
    MediaFile(QStringLiteral("film 2.mkv"));  // before "film.mkv": ' ' sorts before '.'
    LoadFilm();
    Calls told = Told();
    EXPECT_NE(std::find(told.begin(), told.end(), "navigation previous none"), told.end());
    session->OnMediaButton(MediaButton::Next);
    EXPECT_EQ(Sent(), Calls{}) << "nothing after the last";
    session->OnMediaButton(MediaButton::Previous);
    const QString before = MediaFile(QStringLiteral("film 2.mkv"));
    const Calls sent = Sent();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "mpv_command loadfile " + before.toStdString()),
              sent.end());
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    player->DrainEvents();
    told = Told();
    EXPECT_NE(std::find(told.begin(), told.end(), "navigation next"), told.end());
}

}  // namespace

#ifdef _WIN32
#include <windows.h>

#include "session/win32/WindowsShell.h"

namespace {

// The system's own services on a real top-level window, through a whole film: where the
// system lacks them (Wine has no media controls, and its taskbar and power requests do
// nothing) each fails softly, without a crash or a box, and the window keeps the media keys.
TEST_F(PlayerModelTest, TheSystemsServicesFailSoftlyWhereItLacksThem) {
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"MoviraPlayer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320,
                        240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SetShellApplicationId(QStringLiteral("example.movira.MoviraPlayer"));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::white);
    auto session =
        JoinWindowsShell(*player, reinterpret_cast<quintptr>(window),
                         {icon, icon, icon, icon, QStringLiteral("Play"), QStringLiteral("Pause"),
                          QStringLiteral("Backward"), QStringLiteral("Forward")});
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    if (wine) {
        EXPECT_FALSE(session->TakesMediaKeys());
    }
    fake.SetFlag("current-tracks/video/image", false);
    Load(100.0);
    fake.QueueDoubleChange("time-pos", 50.0);
    fake.QueueFlagChange("pause", true);
    player->DrainEvents();
    session->OnThumbButton(ThumbButton::Forward);
    session->OnPositionRequested(10.0);
    EXPECT_EQ(Sent(),
              (Calls{"mpv_command seek 30.0 relative", "mpv_command seek 10.000 absolute"}));
    player->Stop();
    QCoreApplication::processEvents();
    session.reset();
    DestroyWindow(window);
}

}  // namespace
#endif
