#pragma once
// org.mpris.MediaPlayer2.Player: playback as the desktop's media controls (media keys, the
// panel, the lock screen, playerctl) see and drive it. Every request goes through the same
// player operation as the matching button, key or slider, so the window shows and saves
// exactly what it would after the user's own action.

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QString>
#include <QVariantMap>

class Player;

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    // Written out for the two annotations Qt cannot make from the properties: Position is
    // never announced (listeners reckon it from Rate and Seeked) and CanControl never changes.
    Q_CLASSINFO("D-Bus Introspection",
                "  <interface name=\"org.mpris.MediaPlayer2.Player\">\n"
                "    <method name=\"Next\"/>\n"
                "    <method name=\"Previous\"/>\n"
                "    <method name=\"Pause\"/>\n"
                "    <method name=\"PlayPause\"/>\n"
                "    <method name=\"Stop\"/>\n"
                "    <method name=\"Play\"/>\n"
                "    <method name=\"Seek\">\n"
                "      <arg name=\"Offset\" type=\"x\" direction=\"in\"/>\n"
                "    </method>\n"
                "    <method name=\"SetPosition\">\n"
                "      <arg name=\"TrackId\" type=\"o\" direction=\"in\"/>\n"
                "      <arg name=\"Position\" type=\"x\" direction=\"in\"/>\n"
                "    </method>\n"
                "    <method name=\"OpenUri\">\n"
                "      <arg name=\"Uri\" type=\"s\" direction=\"in\"/>\n"
                "    </method>\n"
                "    <signal name=\"Seeked\">\n"
                "      <arg name=\"Position\" type=\"x\"/>\n"
                "    </signal>\n"
                "    <property name=\"PlaybackStatus\" type=\"s\" access=\"read\"/>\n"
                "    <property name=\"Rate\" type=\"d\" access=\"readwrite\"/>\n"
                "    <property name=\"Metadata\" type=\"a{sv}\" access=\"read\">\n"
                "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" "
                "value=\"QVariantMap\"/>\n"
                "    </property>\n"
                "    <property name=\"Volume\" type=\"d\" access=\"readwrite\"/>\n"
                "    <property name=\"Position\" type=\"x\" access=\"read\">\n"
                "      <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" "
                "value=\"false\"/>\n"
                "    </property>\n"
                "    <property name=\"MinimumRate\" type=\"d\" access=\"read\"/>\n"
                "    <property name=\"MaximumRate\" type=\"d\" access=\"read\"/>\n"
                "    <property name=\"CanGoNext\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanGoPrevious\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanPlay\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanPause\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanSeek\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanControl\" type=\"b\" access=\"read\">\n"
                "      <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" "
                "value=\"const\"/>\n"
                "    </property>\n"
                "  </interface>\n")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(double MinimumRate READ MinimumRate)
    Q_PROPERTY(double MaximumRate READ MaximumRate)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPause)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)

  public:
    MprisPlayerAdaptor(QObject* object, Player& player);

    QString PlaybackStatus() const;
    double Rate() const;
    // 0 asks for a pause; other speeds outside the menu's range are ignored.
    void SetRate(double rate);
    QVariantMap Metadata() const;
    // The volume slider's level, 0 to 1; mute does not change it.
    double Volume() const;
    // Clamped to 0 to 1, then set on the slider as a move of the slider would.
    void SetVolume(double volume);
    qlonglong Position() const;
    // The least and the greatest of the speeds the player offers.
    double MinimumRate() const;
    double MaximumRate() const;
    // True while the queue has a file after or before the one that plays.
    bool CanGoNext() const;
    bool CanGoPrevious() const;
    // All three hold while a file is open.
    bool CanPlay() const;
    bool CanPause() const;
    bool CanSeek() const;
    // The player can always be controlled, whether or not a file is open.
    bool CanControl() const { return true; }

  public Q_SLOTS:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    // By `Offset` microseconds, back when negative.
    void Seek(qlonglong Offset);
    // Ignored unless `TrackId` names the open file and `Position` lies within it.
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    // Opens `Uri` as the command line would open it.
    void OpenUri(const QString& Uri);

  Q_SIGNALS:
    void Seeked(qlonglong Position);

  private:
    QDBusObjectPath CurrentTrack() const;

    Player& m_player;
};
