#include "session/MprisRootAdaptor.h"

#include <QGuiApplication>

#include "player/Player.h"
#include "session/MimeTypeList.h"

MprisRootAdaptor::MprisRootAdaptor(QObject* object, Player& player, std::function<void()> raise,
                                   std::function<void()> quit)
    : QDBusAbstractAdaptor(object),
      m_player(player),
      m_raise(std::move(raise)),
      m_quit(std::move(quit)) {}

QString MprisRootAdaptor::Identity() const { return QStringLiteral("MoviraPlayer"); }

QString MprisRootAdaptor::DesktopEntry() const { return QGuiApplication::desktopFileName(); }

QStringList MprisRootAdaptor::SupportedUriSchemes() const {
    QStringList schemes{QStringLiteral("file")};
    for (const QString& protocol : m_player.EngineProtocols()) {
        if (!schemes.contains(protocol)) schemes << protocol;
    }
    return schemes;
}

QStringList MprisRootAdaptor::SupportedMimeTypes() const {
    QStringList types;
    for (const char* type : kMimeTypes) types << QString::fromLatin1(type);
    return types;
}

void MprisRootAdaptor::Raise() {
    if (m_raise) m_raise();
}

void MprisRootAdaptor::Quit() {
    if (m_quit) m_quit();
}
