#pragma once

#include <array>

#include "engine/EngineApi.h"

// The fifteen function fields in table order, as plain addresses, so tests can check which
// are set without naming each one.
inline std::array<void*, 15> EngineApiFields(const EngineApi& api) {
    return {
        reinterpret_cast<void*>(api.mpv_create),
        reinterpret_cast<void*>(api.mpv_initialize),
        reinterpret_cast<void*>(api.mpv_terminate_destroy),
        reinterpret_cast<void*>(api.mpv_command),
        reinterpret_cast<void*>(api.mpv_command_string),
        reinterpret_cast<void*>(api.mpv_set_option),
        reinterpret_cast<void*>(api.mpv_set_option_string),
        reinterpret_cast<void*>(api.mpv_get_property),
        reinterpret_cast<void*>(api.mpv_set_property),
        reinterpret_cast<void*>(api.mpv_set_property_string),
        reinterpret_cast<void*>(api.mpv_observe_property),
        reinterpret_cast<void*>(api.mpv_wait_event),
        reinterpret_cast<void*>(api.mpv_set_wakeup_callback),
        reinterpret_cast<void*>(api.mpv_error_string),
        reinterpret_cast<void*>(api.mpv_free),
    };
}

// The client function names in the same order.
inline constexpr std::array<const char*, 15> kEngineFunctionNames{
    "mpv_create",
    "mpv_initialize",
    "mpv_terminate_destroy",
    "mpv_command",
    "mpv_command_string",
    "mpv_set_option",
    "mpv_set_option_string",
    "mpv_get_property",
    "mpv_set_property",
    "mpv_set_property_string",
    "mpv_observe_property",
    "mpv_wait_event",
    "mpv_set_wakeup_callback",
    "mpv_error_string",
    "mpv_free",
};
