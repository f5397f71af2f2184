#include "engine/EngineBackends.h"
#include "engine/EngineLoader.h"

namespace {

// Direct3D 11 where the engine was built with it; an engine without it rejects both options
// and picks its graphics API itself (OpenGL or Direct3D 9).
constexpr EngineStringOption kVideo[] = {
    {"vo", "gpu"},
    // Without a graphics driver (virtual machines) the gpu output still draws in software.
    {"gpu-sw", "yes"},
    {"gpu-api", "d3d11"},
    {"d3d11-sync-interval", "1"},
};

}  // namespace

std::span<const EngineStringOption> VideoBackendOptions() { return kVideo; }

// WASAPI, or whatever else the engine has when the machine offers no WASAPI device.
const char* AudioOutputs() { return "wasapi,"; }

// libmpv-2.dll is the current client API under its usual name; mpv-2.dll is the name some
// builds give it, and mpv-1.dll still carries every function used here.
const std::vector<std::string> kEngineLibraryNames{"libmpv-2.dll", "mpv-2.dll", "mpv-1.dll"};
