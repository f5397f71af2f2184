#include <QGuiApplication>
#include <QWidget>

#include "app/SessionServices.h"
#include "session/DesktopSession.h"
#include "ui/PlayerWindow.h"

namespace {

// How the portal names a window: "x11:" and its id in hex; nothing elsewhere.
QString PortalWindowId(const PlayerWindow& window) {
    const QWidget* host = window.GetHWND();
    if (!host || QGuiApplication::platformName() != u"xcb") return {};
    return QStringLiteral("x11:") + QString::number(host->winId(), 16);
}

class BusSession final : public SessionServices {
  public:
    explicit BusSession(PlayerWindow& window)
        : m_session(window.GetPlayer(),
                    DesktopWindow{PortalWindowId(window), [&window] { window.Raise(); },
                                  [&window] { window.OnCloseClicked(); }}) {}

  private:
    DesktopSession m_session;
};

}  // namespace

// The desktop knows the program by its desktop file name, which main gives Qt.
void PrepareDesktopSession() {}

std::unique_ptr<SessionServices> JoinDesktopSession(PlayerWindow& window) {
    return std::make_unique<BusSession>(window);
}
