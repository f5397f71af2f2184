// Draining the engine's event queue: which events reach the window, which are dropped, and
// when the drain stops.
#include <gtest/gtest.h>

#include <charconv>
#include <functional>
#include <string>
#include <vector>

#include "FakeEngineApi.h"
#include "engine/EngineEvents.h"

namespace {

// The shortest exact text, independent of the numeric locale.
std::string Number(double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Writes down what the window was told, in order.
class RecordingSink : public EngineEventSink {
  public:
    void OnTimePos(double seconds) override { Add("time-pos " + Number(seconds)); }
    void OnDuration(double seconds) override { Add("duration " + Number(seconds)); }
    void OnPlayStateFlag() override { Add("play-state"); }
    void OnSeekStarted() override { Add("seek"); }
    void OnPlaybackRestarted() override { Add("restart"); }
    void OnMediaTitle(const char* utf8) override { Add(std::string("title ") + utf8); }
    void OnFileLoaded() override { Add("loaded"); }

    std::vector<std::string> seen;
    std::function<void()> afterEach;

  private:
    void Add(std::string what) {
        seen.push_back(std::move(what));
        if (afterEach) {
            afterEach();
        }
    }
};

class EngineEventsTest : public testing::Test {
  protected:
    void Drain() { DrainEngineEvents(fake.Api(), handle, sink); }
    std::size_t Waits() const { return fake.CallTexts("mpv_wait_event").size(); }

    FakeEngineApi fake;
    mpv_handle* handle = FakeEngineApi::Handle();
    RecordingSink sink;
};

TEST_F(EngineEventsTest, OneDrainDeliversEveryPendingEventInOrder) {
    fake.QueueDoubleChange("duration", 5400.0);
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    fake.QueueDoubleChange("time-pos", 65.5);
    fake.QueueFlagChange("pause", false);
    fake.QueueStringChange("media-title", "片名 ✓ Title");
    fake.QueueDoubleChange("time-pos", 66.0);
    // The end of the file and a stop: each may change the play state as much as a pause.
    fake.QueueFlagChange("eof-reached", true);
    fake.QueueFlagChange("idle-active", true);
    fake.QueueEvent(MPV_EVENT_SEEK);
    fake.QueueEvent(MPV_EVENT_PLAYBACK_RESTART);

    Drain();

    EXPECT_EQ(sink.seen,
              (std::vector<std::string>{"duration 5400", "loaded", "time-pos 65.5", "play-state",
                                        "title 片名 ✓ Title", "time-pos 66", "play-state",
                                        "play-state", "seek", "restart"}));
    // Ten events and the empty answer; never a wait that could block.
    EXPECT_EQ(fake.CallTexts("mpv_wait_event"), std::vector<std::string>(11, "mpv_wait_event 0"));
    EXPECT_EQ(fake.Calls().back().handle, FakeEngineApi::Handle());
}

TEST_F(EngineEventsTest, AnEmptyQueueAsksOnceAndTellsNothing) {
    Drain();
    EXPECT_EQ(Waits(), 1u);
    EXPECT_TRUE(sink.seen.empty());
}

TEST_F(EngineEventsTest, ChangesMatchOnlyByExactNameAndFormat) {
    // Observed but of no interest to the window.
    fake.QueueDoubleChange("volume", 40.0);
    // The right names in formats the window does not read, or without a value.
    fake.QueueInt64Change("time-pos", 12);
    fake.QueueValuelessChange("time-pos");
    fake.QueueStringChange("duration", "90");
    fake.QueueValuelessChange("duration");
    fake.QueueDoubleChange("pause", 1.0);
    fake.QueueValuelessChange("media-title");
    fake.QueueChangeWithoutData();
    // Near misses of the names.
    fake.QueueDoubleChange("Time-Pos", 1.0);
    fake.QueueDoubleChange("time-pos/full", 1.0);
    fake.QueueFlagChange("paused", true);
    fake.QueueFlagChange("idle", true);
    fake.QueueInt64Change("eof-reached", 1);
    // A title whose string pointer is null.
    fake.QueueStringChange("media-title", nullptr);
    // Events the window does not handle.
    fake.QueueEvent(MPV_EVENT_START_FILE);
    fake.QueueEvent(MPV_EVENT_END_FILE);
    // Proves the drain went on past all of the above.
    fake.QueueDoubleChange("time-pos", 3.0);

    Drain();

    EXPECT_EQ(sink.seen, std::vector<std::string>{"time-pos 3"});
    EXPECT_EQ(fake.PendingEvents(), 0u);
}

TEST_F(EngineEventsTest, StopsAsSoonAsTheHandleIsGone) {
    fake.QueueDoubleChange("time-pos", 1.0);
    fake.QueueEvent(MPV_EVENT_FILE_LOADED);
    fake.QueueDoubleChange("time-pos", 2.0);
    // The window shuts the engine down in reaction to the file-loaded event.
    sink.afterEach = [this] {
        if (sink.seen.back() == "loaded") {
            handle = nullptr;
        }
    };

    Drain();

    EXPECT_EQ(sink.seen, (std::vector<std::string>{"time-pos 1", "loaded"}));
    EXPECT_EQ(Waits(), 2u);
    EXPECT_EQ(fake.PendingEvents(), 1u);
}

TEST_F(EngineEventsTest, EndsAtShutdownWhateverFollows) {
    fake.QueueDoubleChange("time-pos", 1.0);
    fake.QueueEvent(MPV_EVENT_SHUTDOWN);
    fake.QueueDoubleChange("time-pos", 2.0);

    Drain();

    EXPECT_EQ(sink.seen, std::vector<std::string>{"time-pos 1"});
    EXPECT_EQ(Waits(), 2u);
}

TEST_F(EngineEventsTest, ANullEventEndsTheDrain) {
    fake.QueueDoubleChange("time-pos", 1.0);
    fake.SetWaitEventReturnsNull(true);

    Drain();

    EXPECT_TRUE(sink.seen.empty());
    EXPECT_EQ(Waits(), 1u);
}

}  // namespace
