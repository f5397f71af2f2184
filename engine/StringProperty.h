#pragma once

#include <QString>

#include "engine/EngineApi.h"

// Reads the string property `name` into `out`, converted from UTF-8; a missing string leaves
// `out` as it is. The engine's string is its own allocation and goes back to it with mpv_free.
void ReadStringProperty(const EngineApi& api, mpv_handle* handle, const char* name, QString& out);
