#include "platform/FileUri.h"

#include <QByteArray>

#include "platform/FileName.h"
#include "platform/FileUriPath.h"

namespace platform {
namespace {

bool StartsWithNoCase(QByteArrayView text, QByteArrayView prefix) {
    return text.size() >= prefix.size() &&
           text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QByteArray PercentDecoded(QByteArrayView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool escape = text[i] == '%' && i + 2 < text.size();
        const int high = escape ? HexValue(text[i + 1]) : -1;
        const int low = escape ? HexValue(text[i + 2]) : -1;
        if (high >= 0 && low >= 0) {
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

}  // namespace

std::optional<QString> LocalFileOfUri(QByteArrayView uri) {
    if (!StartsWithNoCase(uri, "file:")) return std::nullopt;
    QByteArrayView rest = uri.sliced(5);
    QByteArrayView host;
    if (rest.startsWith("//")) {
        // The authority runs to the path's first '/': none or "localhost" is this machine.
        rest = rest.sliced(2);
        const qsizetype slash = rest.indexOf('/');
        if (slash < 0) return std::nullopt;
        host = rest.first(slash);
        if (host.compare("localhost", Qt::CaseInsensitive) == 0) host = {};
        rest = rest.sliced(slash);
    }
    if (!rest.startsWith('/')) return std::nullopt;
    for (const char end : {'?', '#'}) {
        if (const qsizetype at = rest.indexOf(end); at >= 0) rest = rest.first(at);
    }
    return LocalNameOfUriPath(host, PercentDecoded(rest));
}

QString FileUriOf(const QString& name) {
    return QStringLiteral("file:") + QString::fromLatin1(UriPathOfLocalName(name));
}

QString MediaNameOf(QByteArrayView argument) {
    if (const auto local = LocalFileOfUri(argument)) return *local;
    return DecodeFileName(argument);
}

}  // namespace platform
