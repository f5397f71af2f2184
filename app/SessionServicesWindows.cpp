#include "app/SessionServices.h"

// The Windows session's media controls, taskbar and power requests are not built yet: the
// player runs without them, as on a Linux desktop without a session bus.
std::unique_ptr<SessionServices> JoinDesktopSession(PlayerWindow&) { return nullptr; }
