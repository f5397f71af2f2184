#include "engine/StreamAddress.h"

#include <QStringList>

namespace {

bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

}  // namespace

QString AddressScheme(QStringView text) {
    const qsizetype end = text.indexOf(u"://");
    if (end <= 0 || !IsAsciiLetter(text.front())) return {};
    for (const QChar c : text.first(end)) {
        const bool allowed =
            IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
        if (!allowed) return {};
    }
    return text.first(end).toString().toLower();
}

QStringList EngineProtocols(const EngineApi& api, mpv_handle* handle) {
    if (handle == nullptr) return {};
    // The engine lists its protocols as one comma-separated text.
    char* list = nullptr;
    if (api.mpv_get_property(handle, "protocol-list", MPV_FORMAT_STRING, &list) < 0 || !list)
        return {};
    const QStringList protocols = QString::fromUtf8(list).split(u',', Qt::SkipEmptyParts);
    api.mpv_free(list);
    return protocols;
}

bool EnginePlaysAddress(const EngineApi& api, mpv_handle* handle, QStringView text) {
    if (handle == nullptr) return false;
    const QString scheme = AddressScheme(text);
    if (scheme.isEmpty()) return false;
    return EngineProtocols(api, handle).contains(scheme);
}
