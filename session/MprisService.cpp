#include "session/MprisService.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QStringList>

#include "session/MprisPlayerAdaptor.h"
#include "session/MprisRootAdaptor.h"
#include "session/MprisValues.h"

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
constexpr int kMaxNameAttempts = 20;

// The Player properties whose changes the bus is told of. Position is not among them: it
// changes all the time, and listeners reckon it from the rate and Seeked; nor is CanControl,
// which never changes.
constexpr const char* kWatched[] = {"PlaybackStatus", "Metadata",  "Volume",
                                    "Rate",           "CanPlay",   "CanPause",
                                    "CanSeek",        "CanGoNext", "CanGoPrevious"};

}  // namespace

MprisService::MprisService(const QDBusConnection& bus, Player& player, std::function<void()> raise,
                           std::function<void()> quit)
    : m_bus(bus), m_player(new MprisPlayerAdaptor(this, player)) {
    new MprisRootAdaptor(this, player, std::move(raise), std::move(quit));
}

MprisService::~MprisService() {
    if (!m_busName.isEmpty()) m_bus.unregisterService(m_busName);
    m_bus.unregisterObject(kObjectPath);
}

bool MprisService::Register() {
    if (!m_bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return false;
    const QString base = QStringLiteral("org.mpris.MediaPlayer2.moviraplayer.instance") +
                         QString::number(QCoreApplication::applicationPid());
    for (int attempt = 1; attempt <= kMaxNameAttempts; ++attempt) {
        const QString name = attempt == 1 ? base : base + u'_' + QString::number(attempt);
        if (m_bus.registerService(name)) {
            m_busName = name;
            m_announced = WatchedProperties();
            return true;
        }
    }
    m_bus.unregisterObject(kObjectPath);
    return false;
}

QVariantMap MprisService::WatchedProperties() const {
    QVariantMap values;
    for (const char* name : kWatched)
        values.insert(QString::fromLatin1(name), m_player->property(name));
    return values;
}

void MprisService::Refresh() {
    if (m_busName.isEmpty()) return;
    const QVariantMap now = WatchedProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_announced.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    }
    m_announced = now;
    if (changed.isEmpty()) return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_bus.send(signal);
}

void MprisService::AnnounceSeek(double seconds) {
    if (m_busName.isEmpty()) return;
    Q_EMIT m_player->Seeked(mpris::MicrosecondsOf(seconds));
}
