#include "engine/EngineBackends.h"

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
