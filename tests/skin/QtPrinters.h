#pragma once
// Readable GoogleTest failure messages for Qt strings and byte arrays; without these they
// print as lists of raw two-byte objects.

#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << bytes.size() << " bytes";
    if (!bytes.isEmpty()) *out << " starting " << bytes.left(16).toHex(' ').toStdString();
}
