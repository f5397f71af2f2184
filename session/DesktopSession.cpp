#include "session/DesktopSession.h"

#include <QDBusConnection>

#include "player/Player.h"
#include "session/IdleInhibitor.h"
#include "session/MprisService.h"

DesktopSession::DesktopSession(Player& player, DesktopWindow window) : m_player(player) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    m_mpris = std::make_unique<MprisService>(bus, player, window.raise, window.close);
    if (!m_mpris->Register()) m_mpris.reset();
    m_inhibitor = std::make_unique<IdleInhibitor>(bus, window.portalId);
    m_player.AddObserver(this);
    OnPlayerChanged();
}

DesktopSession::~DesktopSession() { m_player.RemoveObserver(this); }

void DesktopSession::OnPlayerChanged() {
    if (m_mpris) m_mpris->Refresh();
    if (m_inhibitor) m_inhibitor->SetWanted(m_player.KeepsDisplayAwake());
}

void DesktopSession::OnSeeked(double seconds) {
    if (m_mpris) m_mpris->AnnounceSeek(seconds);
}
