#pragma once

#include <array>

#include "engine/EngineApi.h"

// The client function names in table order, from the table's own list.
inline constexpr std::array kEngineFunctionNames{
#define MOVIRA_ENGINE_FUNCTION(name, result, params) #name,
#include "engine/EngineFunctions.h"
};

// The function fields in the same order, as plain addresses, so tests can check which are
// set without naming each one.
inline std::array<void*, kEngineFunctionNames.size()> EngineApiFields(const EngineApi& api) {
    return {
#define MOVIRA_ENGINE_FUNCTION(name, result, params) reinterpret_cast<void*>(api.name),
#include "engine/EngineFunctions.h"
    };
}
