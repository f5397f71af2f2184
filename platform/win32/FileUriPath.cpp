#include "platform/FileUriPath.h"

#include <QDir>

#include "platform/FileName.h"

namespace platform {
namespace {

// "/C:/x" or "/c|/x" (an old spelling): a path that starts with a drive.
bool HasDrive(const QString& path) {
    return path.size() >= 3 && path[0] == u'/' && path[1].isLetter() &&
           (path[2] == u':' || path[2] == u'|') && (path.size() == 3 || path[3] == u'/');
}

}  // namespace

std::optional<QString> LocalNameOfUriPath(QByteArrayView host, const QByteArray& path) {
    const QString name = DecodeFileName(path);
    // file://server/share/x is the network file \\server\share\x.
    if (!host.isEmpty()) {
        return QDir::toNativeSeparators(QStringLiteral("//") + DecodeFileName(host) + name);
    }
    if (HasDrive(name)) {
        QString local = name.mid(1);
        local[1] = u':';
        return QDir::toNativeSeparators(local);
    }
    // file:////server/share/x, an older spelling of the same.
    if (name.startsWith(QStringLiteral("//"))) return QDir::toNativeSeparators(name);
    return std::nullopt;
}

QByteArray UriPathOfLocalName(const QString& name) {
    const QString path =
        QDir::fromNativeSeparators(QDir(QDir::currentPath()).absoluteFilePath(name));
    // "//server/share/x" keeps its host; "C:/x" becomes "///C:/x".
    const QByteArray bytes = EncodeFileName(path);
    if (bytes.startsWith("//")) return "//" + bytes.mid(2).toPercentEncoding("/");
    return "///" + bytes.toPercentEncoding("/:");
}

}  // namespace platform
