// Names are bytes: every byte string goes through a QString and back unchanged.
// FileNamePosixTest.cpp and FileNameWin32Test.cpp hold what differs by system: looking names
// up, and the names file: URIs stand for.
#include <gtest/gtest.h>

#include "platform/FileName.h"

namespace {

using platform::DecodeFileName;
using platform::EncodeFileName;

// Escaped bytes are written as \xDCnn code units: byte nn as DecodeFileName gives it.
QString U(const char16_t* text) { return QString::fromUtf16(text); }

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

TEST(FileName, DecodesValidUtf8AsItsCharactersAndEscapesEveryOtherByte) {
    const DecodeCase cases[] = {
        {"ascii", "/tmp/a b.mp4", QStringLiteral("/tmp/a b.mp4")},
        {"two, three and four bytes", "\xC3\xA9\xE8\xA7\x86\xF0\x9F\x98\x80",
         QStringLiteral(u"é视😀")},
        {"latin-1", "caf\xE9.mp4", U(u"caf\xDCE9.mp4")},
        {"lone continuation", "\x80", U(u"\xDC80")},
        {"truncated sequence", "a\xE2\x82", U(u"a\xDCE2\xDC82")},
        {"lead byte before a valid one", "\xE2\xC3\xA9", U(u"\xDCE2é")},
        {"overlong NUL", "\xC0\x80", U(u"\xDCC0\xDC80")},
        {"overlong three bytes", "\xE0\x80\xAF", U(u"\xDCE0\xDC80\xDCAF")},
        {"encoded surrogate", "\xED\xA0\x80", U(u"\xDCED\xDCA0\xDC80")},
        {"above U+10FFFF", "\xF4\x90\x80\x80", U(u"\xDCF4\xDC90\xDC80\xDC80")},
        {"highest code point", "\xF4\x8F\xBF\xBF", QString::fromUcs4(U"\U0010FFFF")},
        {"escape after a pair", "\xF0\x9F\x98\x80\xB2", U(u"😀\xDCB2")},
        {"never-valid bytes", "\xFE\xFF", U(u"\xDCFE\xDCFF")},
        {"empty", "", QString()},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(DecodeFileName(c.bytes), c.text) << c.name;
        EXPECT_EQ(EncodeFileName(c.text), c.bytes) << c.name;
    }
}

// Every one- and two-byte string, and each of them around a multi-byte character, comes
// back as it went in; so no two of them share a text.
TEST(FileName, EveryByteStringComesBackUnchanged) {
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const QByteArray pair{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(EncodeFileName(DecodeFileName(pair)), pair) << first << ' ' << second;
        }
        const QByteArray around =
            "\xE8\xA7\x86" + QByteArray(1, static_cast<char>(first)) + "\xF0\x9F\x98\x80";
        ASSERT_EQ(EncodeFileName(DecodeFileName(around)), around) << first;
    }
}

TEST(FileName, TextThatNoNameDecodesToIsEncodedWithReplacements) {
    // A high surrogate alone, and low ones outside the escapes' range, stand for no byte.
    const QString text =
        U(u"\xD800"
          u"a\xDC41\xDD00");
    EXPECT_EQ(EncodeFileName(text),
              "\xEF\xBF\xBD"
              "a\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
