#pragma once

#include "engine/EngineApi.h"
#include "engine/EngineEventSink.h"

// Takes every pending event off the engine's queue without waiting and passes the ones the
// window cares about to sink. One wake-up may bring many events and a later one none.
// Property changes are told apart by name and format alone (all observers use the same
// reply id). The sink may shut the engine down and null handle; draining then stops.
void DrainEngineEvents(const EngineApi& api, mpv_handle*& handle, EngineEventSink& sink);
