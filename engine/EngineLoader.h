#pragma once

#include <QString>
#include <string>
#include <vector>

#include "engine/EngineApi.h"
#include "platform/MessageBoxService.h"

namespace platform {
class LibraryLoader;
}  // namespace platform

// File names of the playback library, most preferred first (engine/EngineBackends*.cpp: they
// differ by system).
extern const std::vector<std::string> kEngineLibraryNames;

// Fills GetEngineApi() from the system's playback library; see the overload below.
bool LoadEngineLibrary(const platform::MessageBoxTexts& failureBox);

// Loads the first of fileNames that loads and resolves the client functions of
// engine/EngineFunctions.h into api. When no file loads, `failureBox` is shown, %1 in its
// text standing for the loader's error for every name tried, one a line. A library lacking
// a function fails silently; the functions resolved before it keep their values and the
// library stays loaded, since those fields point into it. Returns true when all of them are
// resolved. Once a library has been found, later calls do not load again and return the
// first outcome.
bool LoadEngineLibrary(EngineApi& api, platform::LibraryLoader& loader,
                       platform::MessageBoxService& boxes,
                       const std::vector<std::string>& fileNames,
                       const platform::MessageBoxTexts& failureBox);
