#pragma once
// What the player joins in the desktop session once its window runs: on Linux the media
// controls and the idle inhibition over the session bus (session/); on Windows, nothing yet.

#include <memory>

class PlayerWindow;

class SessionServices {
  public:
    virtual ~SessionServices() = default;
};

// Joins the session for `window`, which must outlive the result; null when there is nothing
// to join.
std::unique_ptr<SessionServices> JoinDesktopSession(PlayerWindow& window);
