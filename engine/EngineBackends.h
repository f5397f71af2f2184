#pragma once
// The engine's back ends for drawing and sound, which name the system's own services and so
// differ between Linux and Windows. Every other engine option is the same everywhere.

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
