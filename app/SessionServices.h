#pragma once
// What the player joins in the desktop session once its window runs: on Linux the media
// controls and the idle inhibition over the session bus; on Windows the shell's media
// controls, taskbar button, display request and recent documents (session/).

#include <memory>

class PlayerWindow;

class SessionServices {
  public:
    virtual ~SessionServices() = default;
};

// What must be in place before the first window shows (the shell's application id on
// Windows).
void PrepareDesktopSession();

// Joins the session for `window`, which must outlive the result; null when there is nothing
// to join.
std::unique_ptr<SessionServices> JoinDesktopSession(PlayerWindow& window);
