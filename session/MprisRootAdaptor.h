#pragma once
// org.mpris.MediaPlayer2: what the desktop's media controls learn about the application
// itself, and the two things they may ask of it: raise the window and quit.

#include <QDBusAbstractAdaptor>
#include <QString>
#include <QStringList>
#include <functional>

class Player;

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

  public:
    MprisRootAdaptor(QObject* object, Player& player, std::function<void()> raise,
                     std::function<void()> quit);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const;
    QString DesktopEntry() const;
    // "file" and the engine's protocols: what OpenUri opens.
    QStringList SupportedUriSchemes() const;
    // The media types the desktop entry offers to open.
    QStringList SupportedMimeTypes() const;

  public Q_SLOTS:
    void Raise();
    // As the close button does: the position and settings are saved, the process ends.
    void Quit();

  private:
    Player& m_player;
    std::function<void()> m_raise;
    std::function<void()> m_quit;
};
