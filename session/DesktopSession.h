#pragma once
// The player's part in the desktop session, over the session bus: media controls (MPRIS)
// and, while a video plays, an idle inhibition. Without a session bus there is neither and
// the player goes on as before, saying nothing.

#include <QString>
#include <functional>
#include <memory>

#include "player/PlayerObserver.h"

class IdleInhibitor;
class MprisService;
class Player;

// What the session needs of the player's window, handed in by start-up.
struct DesktopWindow {
    // How the desktop portal names the window ("x11:<hex id>"), or empty.
    QString portalId;
    // Brings the window back from minimised and gives it the focus.
    std::function<void()> raise;
    // Closes the window as its close button does.
    std::function<void()> close;
};

class DesktopSession : public PlayerObserver {
  public:
    // Joins the session bus and starts observing `player`, which must outlive this object.
    DesktopSession(Player& player, DesktopWindow window);
    ~DesktopSession() override;
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    void OnPlayerChanged() override;
    void OnSeeked(double seconds) override;

  private:
    Player& m_player;
    std::unique_ptr<MprisService> m_mpris;
    std::unique_ptr<IdleInhibitor> m_inhibitor;
};
