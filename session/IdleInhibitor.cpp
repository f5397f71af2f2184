#include "session/IdleInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kReason = QStringLiteral("Playing a video");
constexpr uint kPortalIdleFlag = 8;
// At exit: long enough for a desktop on the same machine, short enough not to be noticed.
constexpr int kReleaseTimeoutMs = 500;

}  // namespace

IdleInhibitor::IdleInhibitor(const QDBusConnection& bus, QString window)
    : m_bus(bus), m_window(std::move(window)) {}

IdleInhibitor::~IdleInhibitor() {
    if (m_held) m_bus.call(ReleaseMessage(), QDBus::Block, kReleaseTimeoutMs);
}

void IdleInhibitor::SetWanted(bool wanted) {
    m_wanted = wanted;
    Sync();
}

void IdleInhibitor::Sync() {
    if (m_pending) return;  // the reply decides
    if (m_wanted && !m_held) {
        StartInhibition();
    } else if (!m_wanted && m_held) {
        m_bus.send(ReleaseMessage());
        m_held = false;
    }
}

void IdleInhibitor::StartInhibition() {
    QDBusMessage call;
    if (m_service == Service::ScreenSaver) {
        call = QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath,
                                              kScreenSaverService, QStringLiteral("Inhibit"));
        call << QStringLiteral("MoviraPlayer") << kReason;
    } else if (m_service == Service::Portal) {
        call = QDBusMessage::createMethodCall(kPortalService, kPortalPath,
                                              QStringLiteral("org.freedesktop.portal.Inhibit"),
                                              QStringLiteral("Inhibit"));
        call << m_window << kPortalIdleFlag << QVariantMap{{QStringLiteral("reason"), kReason}};
    } else {
        return;
    }
    m_pending = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &IdleInhibitor::OnInhibitReply);
}

void IdleInhibitor::OnInhibitReply(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    m_pending = false;
    if (call->isError()) {
        // Not on this bus (or refused): try the next way, and after the last, none.
        m_service = m_service == Service::ScreenSaver ? Service::Portal : Service::None;
    } else if (m_service == Service::ScreenSaver) {
        m_cookie = QDBusPendingReply<uint>(*call).value();
        m_held = true;
    } else {
        m_request = QDBusPendingReply<QDBusObjectPath>(*call).value();
        m_held = true;
    }
    Sync();
}

QDBusMessage IdleInhibitor::ReleaseMessage() const {
    if (m_service == Service::ScreenSaver) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath,
                                           kScreenSaverService, QStringLiteral("UnInhibit"));
        call << m_cookie;
        return call;
    }
    return QDBusMessage::createMethodCall(kPortalService, m_request.path(),
                                          QStringLiteral("org.freedesktop.portal.Request"),
                                          QStringLiteral("Close"));
}
