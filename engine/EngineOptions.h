#pragma once

#include <cstdint>

#include "engine/EngineApi.h"

// Creates the one engine instance and sets it up to draw into the native window wid:
// options (the engine starts paused and keeps a finished file open on its last frame),
// the observed properties, the subtitle style and the wake-up callback, which the library
// calls on its own thread whenever events are waiting.
//
// Returns true only when all of that is done. outHandle is null when the library could not
// create an instance; when wid is 0 or initialisation fails it keeps the created,
// uninitialised handle, which the caller still owns and must shut down.
bool CreateEngineInstance(const EngineApi& api, mpv_handle*& outHandle, std::int64_t wid,
                          double dpiScale, void (*wakeup)(void*), void* context);

// Ends the instance, if there is one, and nulls handle. No wake-up comes after this.
void ShutdownEngineInstance(const EngineApi& api, mpv_handle*& handle);
