// Without an engine instance every engine-facing operation is a no-op: a null handle must
// never reach the library.
#include <gtest/gtest.h>

#include "FakeEngineApi.h"
#include "engine/EngineEvents.h"
#include "engine/EngineInstance.h"
#include "engine/EngineOptions.h"
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

    const EngineInstance engine(api);  // never created

    engine.LoadFile(QStringLiteral("/tmp/a.mp4"));
    EXPECT_EQ(engine.GetPlayState(), PlayState::Idle);
    engine.TogglePause();
    engine.SeekRelative(30.0);
    engine.SeekAbsolute(12.0, 3);
    engine.SetSpeed(2.0);
    engine.SetMute(true);
    engine.SetVolume(50.0);
    engine.Stop();
    engine.SelectSubtitle(1);
    engine.HideSubtitles();
    EXPECT_FALSE(engine.Screenshot(QStringLiteral("/tmp/a.png")));
    engine.ShowText(QStringLiteral("text"), 1000);
    EXPECT_EQ(engine.GetDouble("time-pos"), std::nullopt);
    EXPECT_EQ(engine.GetInt64("track-list/count", 7), 7);
    EXPECT_TRUE(ReadSubtitleTracks(api, handle).empty());
    IgnoringSink sink;
    DrainEngineEvents(api, handle, sink);
    ShutdownEngineInstance(api, handle);

    EXPECT_EQ(fake.CallTexts(), std::vector<std::string>{});
    EXPECT_EQ(sink.calls, 0);
    EXPECT_EQ(handle, nullptr);
}

}  // namespace
