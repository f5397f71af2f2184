#include "session/MprisRootAdaptor.h"

#include <QGuiApplication>

#include "session/MimeTypeList.h"
#include "ui/PlayerWindow.h"

MprisRootAdaptor::MprisRootAdaptor(QObject* object, PlayerWindow& window)
    : QDBusAbstractAdaptor(object), m_window(window) {}

QString MprisRootAdaptor::Identity() const { return QStringLiteral("MoviraPlayer"); }

QString MprisRootAdaptor::DesktopEntry() const { return QGuiApplication::desktopFileName(); }

QStringList MprisRootAdaptor::SupportedUriSchemes() const {
    QStringList schemes{QStringLiteral("file")};
    for (const QString& protocol : m_window.EngineProtocols()) {
        if (!schemes.contains(protocol)) schemes << protocol;
    }
    return schemes;
}

QStringList MprisRootAdaptor::SupportedMimeTypes() const {
    QStringList types;
    for (const char* type : kMimeTypes) types << QString::fromLatin1(type);
    return types;
}

void MprisRootAdaptor::Raise() { m_window.Raise(); }

void MprisRootAdaptor::Quit() { m_window.OnCloseClicked(); }
