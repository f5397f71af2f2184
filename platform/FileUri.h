#pragma once
// file: URIs, as desktops hand files to programs (drops, "Open with", file dialogs): the
// path is percent-encoded bytes, so a name that is not valid UTF-8 travels as "%E9".

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace platform {

// The local name a file: URI stands for ("file:///p", "file://localhost/p", "file:/p"; the
// scheme and host in any letter case), its percent-encoded bytes decoded into a name as
// DecodeFileName gives it. A query or fragment is not part of the name; a '%' not followed
// by two hex digits stands for itself. nullopt for any other text, and for a file: URI of
// another host.
std::optional<QString> LocalFileOfUri(QByteArrayView uri);

// What a command-line argument or a URI handed over by the desktop names: the local file of
// a file: URI, and any other text as DecodeFileName gives it (an address stays as it is).
QString MediaNameOf(QByteArrayView argument);

}  // namespace platform
