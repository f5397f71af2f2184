// Without an engine instance every engine-facing operation is a no-op: a null handle must
// never reach the library.
#include <gtest/gtest.h>

#include "FakeEngineApi.h"
#include "engine/EngineEvents.h"
#include "engine/EngineOptions.h"
#include "engine/PlaybackCommands.h"
#include "engine/TrackList.h"

namespace {

class IgnoringSink : public EngineEventSink {
  public:
    void OnTimePos(double) override { ++calls; }
    void OnDuration(double) override { ++calls; }
    void OnPlayStateFlag() override { ++calls; }
    void OnSeekStarted() override { ++calls; }
    void OnPlaybackRestarted() override { ++calls; }
    void OnMediaTitle(const char*) override { ++calls; }
    void OnFileLoaded() override { ++calls; }
    int calls = 0;
};

TEST(NoEngineTest, NothingReachesTheLibrary) {
    FakeEngineApi fake;
    // Reads would succeed and events would be waiting, if anything asked.
    fake.SetFlag("pause", true);
    fake.SetDouble("time-pos", 10.0);
    fake.SetInt64("track-list/count", 1);
    fake.SetString("track-list/0/type", "sub");
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    const EngineApi& api = fake.Api();
    mpv_handle* handle = nullptr;

    LoadFile(api, handle, QStringLiteral("/tmp/a.mp4"));
    EXPECT_EQ(GetPlayState(api, handle), PlayState::Idle);
    TogglePause(api, handle);
    SeekRelative(api, handle, 30.0);
    SeekAbsolute(api, handle, 12.0, 3);
    SetSpeed(api, handle, 2.0);
    SetMute(api, handle, true);
    SetVolume(api, handle, 50.0);
    StopPlayback(api, handle);
    SelectSubtitle(api, handle, 1);
    HideSubtitles(api, handle);
    EXPECT_EQ(GetDoubleProperty(api, handle, "time-pos"), std::nullopt);
    EXPECT_EQ(GetInt64Property(api, handle, "track-list/count", 7), 7);
    EXPECT_TRUE(ReadSubtitleTracks(api, handle).empty());
    IgnoringSink sink;
    DrainEngineEvents(api, handle, sink);
    ShutdownEngineInstance(api, handle);

    EXPECT_EQ(fake.CallTexts(), std::vector<std::string>{});
    EXPECT_EQ(sink.calls, 0);
    EXPECT_EQ(handle, nullptr);
}

}  // namespace
