#pragma once
// Keeps the desktop from blanking the screen or locking it for idleness while asked to: an
// inhibition held through org.freedesktop.ScreenSaver (GNOME, KDE Plasma, Xfce and others
// serve it), or else through the XDG desktop portal. Where neither answers, nothing is held
// and the engine's own screensaver suspension is all there is (a bare X server). The
// calls never block the window; whatever is held goes with the process, since the desktop
// ends an inhibition when its owner leaves the bus.

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

class IdleInhibitor : public QObject {
    Q_OBJECT

  public:
    // `window` identifies the window the portal asks about ("x11:<hex id>", or empty).
    IdleInhibitor(const QDBusConnection& bus, QString window);
    // Releases what is held and waits briefly for the desktop to take note.
    ~IdleInhibitor() override;

    void SetWanted(bool wanted);
    bool IsHeld() const { return m_held; }

  private:
    enum class Service { ScreenSaver, Portal, None };

    // Starts or ends an inhibition as m_wanted says, once no call is under way.
    void Sync();
    void StartInhibition();
    void OnInhibitReply(QDBusPendingCallWatcher* call);
    // The message that ends what is held.
    QDBusMessage ReleaseMessage() const;

    QDBusConnection m_bus;
    QString m_window;
    Service m_service = Service::ScreenSaver;  // the one to try next, or the one that holds
    bool m_wanted = false;
    bool m_pending = false;  // an Inhibit call awaits its reply
    bool m_held = false;
    uint m_cookie = 0;          // ScreenSaver's
    QDBusObjectPath m_request;  // the portal's
};
