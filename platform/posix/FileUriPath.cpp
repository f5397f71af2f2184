#include "platform/FileUriPath.h"

#include <QDir>

#include "platform/FileName.h"

namespace platform {

std::optional<QString> LocalNameOfUriPath(QByteArrayView host, const QByteArray& path) {
    if (!host.isEmpty()) return std::nullopt;
    return DecodeFileName(path);
}

QByteArray UriPathOfLocalName(const QString& name) {
    QByteArray path = EncodeFileName(name);
    if (!path.startsWith('/')) path = EncodeFileName(QDir::currentPath()) + '/' + path;
    return "//" + path.toPercentEncoding("/");
}

}  // namespace platform
