#pragma once

#include <cstdint>

#include "engine/EngineApi.h"

// The environment variable through which a developer gives the engine options of their own,
// "name=value,name=value" (a value holds no comma; it may hold "="): set after the built-in
// options, so they win, and before "wid". An entry without a name or "=" is ignored and named
// on the "movira" debug output; an option the engine rejects is ignored as a built-in one is.
// For example MOVIRA_ENGINE_OPTIONS="vo=null,log-file=engine.log".
inline constexpr char kEngineOptionsVariable[] = "MOVIRA_ENGINE_OPTIONS";

// Creates the one engine instance and sets it up to draw into the native window wid:
// options (the engine starts paused and keeps a finished file open on its last frame; then
// those of kEngineOptionsVariable),
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
