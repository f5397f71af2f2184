#include "engine/EngineBackends.h"
#include "engine/EngineLoader.h"

namespace {

constexpr EngineStringOption kVideo[] = {
    {"vo", "gpu"},
    // Without a usable GPU (virtual machines, Xvfb) the gpu output still draws in software.
    {"gpu-sw", "yes"},
    {"gpu-api", "auto"},
};

}  // namespace

std::span<const EngineStringOption> VideoBackendOptions() { return kVideo; }

const char* AudioOutputs() { return "pipewire,pulse,alsa,"; }

// The engine's X11 window needs nothing of the program's thread to go.
void TerminateEngine(void (*terminate)(mpv_handle*), mpv_handle* handle) { terminate(handle); }

// libmpv.so.2 is the current client API; libmpv.so.1 still carries every function used here.
const std::vector<std::string> kEngineLibraryNames{"libmpv.so.2", "libmpv.so.1"};
