#pragma once
// The engine's back ends for drawing and sound, which name the system's own services and so
// differ between Linux and Windows, and how an instance is ended on each. Every other
// engine option is the same everywhere.

#include <mpv/client.h>

#include <span>

struct EngineStringOption {
    const char* name;
    const char* value;
};

// Set first, before the window scale: the video output and its graphics API.
std::span<const EngineStringOption> VideoBackendOptions();

// The audio outputs, tried in order; a trailing empty entry lets the engine fall back to
// any other output it has.
const char* AudioOutputs();

// Calls terminate(handle), mpv_terminate_destroy, and returns once it has. On Windows the
// engine's video window is a child of the program's, owned by a thread of the engine, and
// destroying it sends messages to the program's window thread: while it waits, the calling
// thread answers messages sent from other threads (and takes nothing posted from its queue),
// or both would wait for ever.
void TerminateEngine(void (*terminate)(mpv_handle*), mpv_handle* handle);
