#pragma once

// Only for the types and signatures: every function is reached through the table below.
#include <mpv/client.h>

namespace platform {
class LibraryLoader;
}

// The playback library's client functions, resolved by name when the program starts.
// Callers fetch the table with GetEngineApi() and call through a field each time; nothing
// keeps its own copy of a function pointer. Tests fill a local table with fakes.
struct EngineApi {
    EngineApi() = default;
    // Copies would unload the same library twice.
    EngineApi(const EngineApi&) = delete;
    EngineApi& operator=(const EngineApi&) = delete;
    // Unloads module, if set, through the loader that loaded it.
    ~EngineApi();

    // One field per function of engine/EngineFunctions.h, named as the library names it.
#define MOVIRA_ENGINE_FUNCTION(name, result, params) result(*name) params = nullptr;
#include "engine/EngineFunctions.h"

    void* module = nullptr;                     // the loaded library
    bool loaded = false;                        // true once every field is resolved
    platform::LibraryLoader* loader = nullptr;  // the loader that produced module
};

// The one process-wide table, created empty on first use and destroyed at process exit.
EngineApi& GetEngineApi();
