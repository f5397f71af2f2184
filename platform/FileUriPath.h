#pragma once
// The part of file: URIs that depends on how the system names files: what the host and the
// decoded path of a URI name here, and the other way round. FileUri.h is the interface.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace platform {

// The local name of a file: URI whose authority is `host` (empty for this machine) and whose
// path, percent-decoded, is `path` (it starts with '/'). nullopt when no local name stands for
// it, such as a file on another machine where the system cannot reach one.
std::optional<QString> LocalNameOfUriPath(QByteArrayView host, const QByteArray& path);

// What follows "file:" in the URI of a local name: "//", the host if the name is on another
// machine, and the absolute path (a relative name taken from the current folder), each byte
// percent-encoded but for the separators and what URIs leave as they are.
QByteArray UriPathOfLocalName(const QString& name);

}  // namespace platform
