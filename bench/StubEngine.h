#pragma once
// An engine table whose functions answer at once, for driving the main window's engine
// code without libmpv: creation and options succeed, "time-pos" and "duration" read back
// what the benchmark set, and the event queue hands out the property changes it queued.
// One table for the process; its functions reach the state through statics.

#include <deque>

#include "engine/EngineApi.h"

namespace stub_engine {

// The filled table, loaded and ready to pass to a PlayerWindow.
const EngineApi& Api();

// The values the next reads of "time-pos" and "duration" give.
void SetTimePos(double seconds);
void SetDuration(double seconds);

// A change of "time-pos" (or "duration") to the value set above, handed out by the next
// mpv_wait_event, as the engine reports them while it plays.
void QueueTimePosChange();
void QueueDurationChange();

}  // namespace stub_engine
