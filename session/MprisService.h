#pragma once
// The player on the session bus as an MPRIS media player: the object /org/mpris/MediaPlayer2
// with its two interfaces, under a bus name of this process's own, and the change signals
// the desktop's media controls follow.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

class MprisPlayerAdaptor;
class Player;

class MprisService : public QObject {
    Q_OBJECT

  public:
    // `raise` and `quit` carry out the root interface's requests of the same names.
    MprisService(const QDBusConnection& bus, Player& player, std::function<void()> raise,
                 std::function<void()> quit);
    ~MprisService() override;

    // Registers the object and takes "org.mpris.MediaPlayer2.moviraplayer.instance<pid>", or,
    // where that is taken (another process with the same id in another PID namespace),
    // the same with "_2", "_3"... appended. False when neither could be done.
    bool Register();
    const QString& BusName() const { return m_busName; }

    // Tells the bus which of the player's properties have changed since the last call.
    void Refresh();
    // Tells the bus that a seek ended at `seconds`.
    void AnnounceSeek(double seconds);

  private:
    QVariantMap WatchedProperties() const;

    QDBusConnection m_bus;
    MprisPlayerAdaptor* m_player;  // a child of this object, as the root adaptor is
    QVariantMap m_announced;       // the watched properties as last announced
    QString m_busName;
};
