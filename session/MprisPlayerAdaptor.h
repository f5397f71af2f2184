#pragma once
// org.mpris.MediaPlayer2.Player: playback as the desktop's media controls (media keys, the
// panel, the lock screen, playerctl) see and drive it. Every request goes through the same
// window operation as the matching button, key or slider, so the window shows and saves
// exactly what it would after the user's own action.

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QString>
#include <QVariantMap>

class PlayerWindow;

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
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
    // The speeds of the speed menu's first and last items.
    static constexpr double kMinimumRate = 0.25;
    static constexpr double kMaximumRate = 4.0;

    MprisPlayerAdaptor(QObject* object, PlayerWindow& window);

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
    double MinimumRate() const { return kMinimumRate; }
    double MaximumRate() const { return kMaximumRate; }
    bool CanGoNext() const { return false; }
    bool CanGoPrevious() const { return false; }
    // All four hold while a file is open.
    bool CanPlay() const;
    bool CanPause() const;
    bool CanSeek() const;
    bool CanControl() const;

  public Q_SLOTS:
    void Next() {}
    void Previous() {}
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

    PlayerWindow& m_window;
};
