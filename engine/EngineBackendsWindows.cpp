#include <windows.h>

#include "engine/EngineBackends.h"
#include "engine/EngineLoader.h"

namespace {

struct Termination {
    void (*terminate)(mpv_handle*);
    mpv_handle* handle;
};

DWORD WINAPI Terminate(void* context) {
    const auto* termination = static_cast<const Termination*>(context);
    termination->terminate(termination->handle);
    return 0;
}

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

void TerminateEngine(void (*terminate)(mpv_handle*), mpv_handle* handle) {
    Termination termination{terminate, handle};
    HANDLE thread = CreateThread(nullptr, 0, Terminate, &termination, 0, nullptr);
    if (thread == nullptr) {
        terminate(handle);
        return;
    }
    // PeekMessage answers the sent messages itself; with PM_QS_SENDMESSAGE and PM_NOREMOVE it
    // returns nothing and leaves posted and input messages where they are.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(thread);
}

// libmpv-2.dll is the current client API under its usual name; mpv-2.dll is the name some
// builds give it, and mpv-1.dll still carries every function used here.
const std::vector<std::string> kEngineLibraryNames{"libmpv-2.dll", "mpv-2.dll", "mpv-1.dll"};
