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

// The file: URI of a local file name, as LocalFileOfUri reads it back: "file://" and the
// name's absolute path (a relative one taken from the current folder), each byte of it
// percent-encoded but for '/' and the letters, digits and "-._~" that URIs leave as they are.
// A name that is not UTF-8 keeps its exact bytes ("caf%E9").
QString FileUriOf(const QString& name);

// What a command-line argument or a URI handed over by the desktop names: the local file of
// a file: URI, and any other text as DecodeFileName gives it (an address stays as it is).
QString MediaNameOf(QByteArrayView argument);

}  // namespace platform
