#include "platform/FileName.h"

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

// The length of the well-formed UTF-16 sequence at the start of `units`: 1 for a unit
// that is no surrogate, 2 for a high surrogate followed by a low one, 0 for a lone surrogate.
qsizetype Utf16SequenceLength(QStringView units) {
    const char16_t unit = units[0].unicode();
    if (!QChar::isSurrogate(unit)) return 1;
    return QChar::isHighSurrogate(unit) && units.size() > 1 &&
                   QChar::isLowSurrogate(units[1].unicode())
               ? 2
               : 0;
}

// Walks `text` as runs of well-formed sequences (`sequenceLength` of the rest gives the
// length of the one it starts with, 0 for none) and the single units between the runs:
// `run` for each run, possibly empty, and `single` for each unit that starts no sequence.
template <typename View, typename SequenceLength, typename Run, typename Single>
void ForEachRun(View text, SequenceLength sequenceLength, Run run, Single single) {
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (const qsizetype length = sequenceLength(text.sliced(i)); length > 0) {
            i += length;
            continue;
        }
        run(text.sliced(runStart, i - runStart));
        single(text[i]);
        runStart = ++i;
    }
    run(text.sliced(runStart));
}

}  // namespace

QString DecodeFileName(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    // Runs of valid UTF-8 are decoded whole; each byte between them is escaped alone.
    ForEachRun(
        bytes, Utf8SequenceLength, [&](QByteArrayView run) { name += QString::fromUtf8(run); },
        [&](char byte) {
            name += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(byte)));
        });
    return name;
}

QByteArray EncodeFileName(QStringView name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    // Runs of well-formed UTF-16 are encoded whole; each lone surrogate is handled alone.
    ForEachRun(
        name, Utf16SequenceLength, [&](QStringView run) { bytes += run.toUtf8(); },
        [&](QChar unit) {
            if (IsEscapedByte(unit.unicode()))
                bytes += static_cast<char>(unit.unicode() - kEscapeBase);
            else
                bytes += "\xEF\xBF\xBD";  // U+FFFD
        });
    return bytes;
}

}  // namespace platform
