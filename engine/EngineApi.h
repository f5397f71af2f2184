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

    decltype(&::mpv_create) mpv_create = nullptr;
    decltype(&::mpv_initialize) mpv_initialize = nullptr;
    decltype(&::mpv_terminate_destroy) mpv_terminate_destroy = nullptr;
    decltype(&::mpv_command) mpv_command = nullptr;
    decltype(&::mpv_command_string) mpv_command_string = nullptr;
    decltype(&::mpv_set_option) mpv_set_option = nullptr;
    decltype(&::mpv_set_option_string) mpv_set_option_string = nullptr;
    decltype(&::mpv_get_property) mpv_get_property = nullptr;
    decltype(&::mpv_set_property) mpv_set_property = nullptr;
    decltype(&::mpv_set_property_string) mpv_set_property_string = nullptr;
    decltype(&::mpv_observe_property) mpv_observe_property = nullptr;
    decltype(&::mpv_wait_event) mpv_wait_event = nullptr;
    decltype(&::mpv_set_wakeup_callback) mpv_set_wakeup_callback = nullptr;
    // Never called, but a library without it is not accepted.
    decltype(&::mpv_error_string) mpv_error_string = nullptr;
    decltype(&::mpv_free) mpv_free = nullptr;

    void* module = nullptr;                     // the loaded library
    bool loaded = false;                        // true once all fifteen are resolved
    platform::LibraryLoader* loader = nullptr;  // the loader that produced module
};

// The one process-wide table, created empty on first use and destroyed at process exit.
EngineApi& GetEngineApi();
