#pragma once
// File names are bytes on Linux, and not every name is valid UTF-8 (a Latin-1 "caf\xe9.mp4"
// copied from an old disk, say). Inside the program a name is a QString; these two
// conversions carry every name through it unchanged, the same way Python's "surrogateescape"
// does: each byte that is not part of a valid UTF-8 sequence becomes a code point of its own,
// U+DC80 to U+DCFF (a lone low surrogate, which no valid UTF-8 decodes to), and goes back to
// that byte. Every way a name comes in (the command line, drops, file: URIs) decodes it here,
// and everything that hands a name to the system or the engine encodes it here.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// The name's bytes as text: valid UTF-8 sequences as their characters, every other byte b
// as U+DC00 + b. Never fails; distinct byte strings give distinct texts.
QString DecodeFileName(QByteArrayView bytes);

// The bytes of a name DecodeFileName gave: EncodeFileName(DecodeFileName(b)) == b for all b.
// Other text is encoded as UTF-8; a lone surrogate outside U+DC80..U+DCFF, which no decoded
// name holds, becomes U+FFFD.
QByteArray EncodeFileName(QStringView name);

// Whether a file or a folder of that name exists, looked up by the name's own bytes.
bool FileExists(const QString& name);

// The name as the system spells it, so that one file has one name wherever it came from (the
// command line, a drop, the open dialog): on Windows with backslashes ("C:/a.mp4" and
// "C:\a.mp4" are one file); unchanged on Linux, where every byte counts.
QString NativeFileName(const QString& name);

}  // namespace platform
