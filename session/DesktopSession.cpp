#include "session/DesktopSession.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QWidget>

#include "session/IdleInhibitor.h"
#include "session/MprisService.h"
#include "ui/PlayerWindow.h"

namespace {

// How the portal names a window: "x11:" and its id in hex; nothing elsewhere.
QString PortalWindowId(const PlayerWindow& window) {
    const QWidget* host = window.GetHWND();
    if (!host || QGuiApplication::platformName() != u"xcb") return {};
    return QStringLiteral("x11:") + QString::number(host->winId(), 16);
}

}  // namespace

DesktopSession::DesktopSession(PlayerWindow& window) : m_window(window) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    m_mpris = std::make_unique<MprisService>(bus, window);
    if (!m_mpris->Register()) m_mpris.reset();
    m_inhibitor = std::make_unique<IdleInhibitor>(bus, PortalWindowId(window));
    m_window.SetObserver(this);
    OnPlayerChanged();
}

DesktopSession::~DesktopSession() { m_window.SetObserver(nullptr); }

void DesktopSession::OnPlayerChanged() {
    if (m_mpris) m_mpris->Refresh();
    if (m_inhibitor)
        m_inhibitor->SetWanted(m_window.GetPlayState() == PlayState::Playing &&
                               m_window.PlaysMovingVideo());
}

void DesktopSession::OnSeeked(double seconds) {
    if (m_mpris) m_mpris->AnnounceSeek(seconds);
}
