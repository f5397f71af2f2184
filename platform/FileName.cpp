#include "platform/FileName.h"

#include <sys/stat.h>

namespace platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at the start of `bytes` (Unicode's table of
// well-formed byte sequences: no overlong forms, no surrogates, nothing above U+10FFFF);
// 0 when none starts there.
qsizetype Utf8SequenceLength(QByteArrayView bytes) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const auto inRange = [&](qsizetype i, unsigned char low, unsigned char high) {
        return i < bytes.size() && byte(i) >= low && byte(i) <= high;
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return inRange(1, 0x80, 0xBF) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return inRange(1, low, high) && inRange(2, 0x80, 0xBF) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return inRange(1, low, high) && inRange(2, 0x80, 0xBF) && inRange(3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

bool IsEscapedByte(char16_t unit) {
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

}  // namespace

QString DecodeFileName(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    // Runs of valid UTF-8 are decoded whole; each byte between them is escaped alone.
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (const qsizetype length = Utf8SequenceLength(bytes.sliced(i)); length > 0) {
            i += length;
            continue;
        }
        name += QString::fromUtf8(bytes.sliced(runStart, i - runStart));
        name += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
        runStart = ++i;
    }
    name += QString::fromUtf8(bytes.sliced(runStart));
    return name;
}

QByteArray EncodeFileName(QStringView name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    // Runs of well-formed UTF-16 are encoded whole; each lone surrogate is handled alone.
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < name.size()) {
        const char16_t unit = name[i].unicode();
        if (!QChar::isSurrogate(unit)) {
            ++i;
            continue;
        }
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
            QChar::isLowSurrogate(name[i + 1].unicode())) {
            i += 2;
            continue;
        }
        bytes += name.sliced(runStart, i - runStart).toUtf8();
        if (IsEscapedByte(unit))
            bytes += static_cast<char>(unit - kEscapeBase);
        else
            bytes += "\xEF\xBF\xBD";  // U+FFFD
        runStart = ++i;
    }
    bytes += name.sliced(runStart).toUtf8();
    return bytes;
}

bool FileExists(const QString& name) {
    const QByteArray bytes = EncodeFileName(name);
    // A name with a NUL byte would be cut short by the system and name another file.
    if (bytes.isEmpty() || bytes.contains('\0')) return false;
    struct stat info {};
    return ::stat(bytes.constData(), &info) == 0;
}

}  // namespace platform
