#pragma once
// The player's part in the desktop session, over the session bus: media controls (MPRIS)
// and, while a video plays, an idle inhibition. Without a session bus there is neither and
// the player goes on as before, saying nothing.

#include <memory>

#include "ui/PlayerObserver.h"

class IdleInhibitor;
class MprisService;
class PlayerWindow;

class DesktopSession : public PlayerObserver {
  public:
    // Joins the session bus and starts observing `window`, which must outlive this object.
    explicit DesktopSession(PlayerWindow& window);
    ~DesktopSession() override;
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    void OnPlayerChanged() override;
    void OnSeeked(double seconds) override;

  private:
    PlayerWindow& m_window;
    std::unique_ptr<MprisService> m_mpris;
    std::unique_ptr<IdleInhibitor> m_inhibitor;
};
