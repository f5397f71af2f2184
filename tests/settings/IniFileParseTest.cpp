#include <gtest/gtest.h>

#include <QStringEncoder>
#include <climits>
#include <random>

#include "platform/IniFile.h"

namespace {

using platform::IniFile;

IniFile Parse(const char* text) { return IniFile::Parse(QByteArrayView(text)); }

TEST(IniFileParseTest, OddLayoutsReadLikeTheProfileFunctions) {
    // Keys before any section, CRLF, blanks around '=', a duplicate key in another case, a
    // key line without '=', and no newline at the end.
    const IniFile file = Parse(
        "early=1\r\n[Settings]\r\n  Volume  =  55.5  \r\nVOLUME=99\r\njunk\r\n"
        "; Mute=1\r\nMute=0\r\n[settings]\r\nLanguage=second.xml\r\n[Other]\r\nkey=last");
    EXPECT_EQ(file.String(u"SETTINGS", u"volume", "-"), "55.5");
    EXPECT_EQ(file.String(u" Settings ", u"Mute", "-"), "0");  // not the commented-out 1
    EXPECT_EQ(file.String(u"Settings", u"junk", "-"), "-");
    // A repeated section is not searched: the first one of the name counts.
    EXPECT_EQ(file.String(u"Settings", u"Language", "-"), "-");
    EXPECT_EQ(file.String(u"other", u"KEY", "-"), "last");
    EXPECT_EQ(file.String(u"", u"early", "-"), "-");  // before the first header: no section
    EXPECT_EQ(file.SectionNames(), QStringList({"Settings", "settings", "Other"}));
    // Walking the sections meets each name once, with the section the lookups use.
    QStringList visited;
    file.ForEachSection([&visited](const IniFile::SectionView& section) {
        visited.append(section.Name() + u':' + section.String(u"volume", "-") + u':' +
                       section.String(u"language", "-"));
    });
    EXPECT_EQ(visited, QStringList({"Settings:55.5:-", "Other:-:-"}));
}

TEST(IniFileParseTest, NamesMatchByCaseFoldingBeyondAscii) {
    // KELVIN SIGN folds to 'k' and the long s to 's': a match needs more than ASCII
    // lower-casing, and bytes of different lengths can still name the same key.
    const IniFile file = Parse(
        "[\xC5\xBF"
        "ection]\n\xE2\x84\xAA"
        "ey=kelvin\nplain=1\n[\xC3\x84]\nx=2\n");
    EXPECT_EQ(file.String(u"SECTION", u"KEY", "-"), "kelvin");
    EXPECT_EQ(file.String(u"section", u"Plain", "-"), "1");
    EXPECT_EQ(file.Int(u"\u00E4", u"X", -1), 2);
    EXPECT_EQ(file.String(u"A", u"x", "-"), "-");  // an umlaut is not its base letter

    // Setting a value through another spelling changes the line found, keeping its name.
    IniFile edited = Parse(
        "[S]\n\xE2\x84\xAA"
        "ey=old\n");
    edited.SetValue(u"s", u"key", u"new");
    EXPECT_EQ(edited.ToBytes(), QByteArray("[S]\n\xE2\x84\xAA"
                                           "ey=new\n"));
}

TEST(IniFileParseTest, HeadersAndEmptyNames) {
    const IniFile file = Parse(
        "[ Spaced Name ] trailing text\n[a]b]\n[unclosed\n[]\n=no name\nempty=\nquoted=\"\"\n"
        "[Видео]\nk=v\n");
    EXPECT_EQ(file.SectionNames(), QStringList({"Spaced Name", "a]b", "", "Видео"}));
    EXPECT_EQ(file.String(u"", u"", "-"), "no name");
    EXPECT_EQ(file.String(u"", u"empty", "-"), "");  // present but empty is not missing
    EXPECT_EQ(file.Int(u"", u"empty", 7), 7);
    EXPECT_EQ(file.Int(u"", u"quoted", 7), 7);
    EXPECT_EQ(file.String(u"ВИДЕО", u"K", "-"), "v");
}

TEST(IniFileParseTest, QuotesAndIntegers) {
    const std::pair<const char*, int> cases[] = {{"12", 12},
                                                 {"+12", 12},
                                                 {"-7", -7},
                                                 {"12abc", 12},
                                                 {"abc", 0},
                                                 {"-", 0},
                                                 {"0x10", 0},
                                                 {"\"34\"", 34},
                                                 {"'5'", 5},
                                                 {"２", 0},
                                                 {"2147483647", INT_MAX},
                                                 {"2147483648", INT_MAX},
                                                 {"-2147483648", INT_MIN},
                                                 {"-99999999999999999999", INT_MIN},
                                                 {"18446744073709551617", INT_MAX},
                                                 {"- 5", 0},
                                                 {"\" 5\"", 0},
                                                 {"'\t-3'", 0}};
    for (const auto& [text, expected] : cases) {
        const IniFile file = IniFile::Parse(QByteArray("[s]\nk=") + text + "\n");
        EXPECT_EQ(file.Int(u"s", u"k", -1), expected) << text;
    }
    const IniFile quoted = Parse("[s]\na=\"x y\"\nb='z'\nc=\"open\nd=\"mixed'\n");
    EXPECT_EQ(quoted.String(u"s", u"a", "-"), "x y");
    EXPECT_EQ(quoted.String(u"s", u"b", "-"), "z");
    EXPECT_EQ(quoted.String(u"s", u"c", "-"), "\"open");
    EXPECT_EQ(quoted.String(u"s", u"d", "-"), "\"mixed'");
}

TEST(IniFileParseTest, ByteOrderMarksAreReadAndNeverWritten) {
    const QString text = QStringLiteral("[Settings]\nLanguage=语言.xml\n");
    const QByteArray utf8 = text.toUtf8();
    for (const auto encoding :
         {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding, QStringConverter::Flag::WriteBom);
        const IniFile file = IniFile::Parse(QByteArray(encode(text)));
        EXPECT_EQ(file.String(u"Settings", u"Language", "-"), "语言.xml") << int(encoding);
        EXPECT_EQ(file.ToBytes(), utf8) << int(encoding);
    }
}

// What the program does not set is written back byte for byte, even text that is not
// valid UTF-8; only line ends become '\n'.
TEST(IniFileParseTest, UntouchedLinesAreKeptExactly) {
    const QByteArray original(
        "pre; \xff\xfe\n\n; comment \x80\n[Sec\xc3] x\nk=\xe9t\xe9\n\todd line\n"
        "dup=1\nDUP=2\n[Settings]\nVolume=1\n; trailing\n\n");
    IniFile file = IniFile::Parse(original);
    EXPECT_EQ(file.ToBytes(), original);

    file.SetValue(u"settings", u"VOLUME", u"2.0");
    file.SetValue(u"SEC\uFFFD", u"dup", u"3");  // the invalid byte reads as U+FFFD
    file.SetValue(u"Settings", u"Mute", u"0");
    file.SetValue(u"New", u"k", u"v");
    QByteArray expected = original;
    expected.replace("dup=1\n", "dup=3\n").replace("Volume=1\n", "Volume=2.0\nMute=0\n");
    EXPECT_EQ(file.ToBytes(), expected + "[New]\nk=v\n");

    EXPECT_EQ(Parse("a=1\r\n[S]\r\nk=v").ToBytes(), "a=1\n[S]\nk=v\n");
}

// A line break in a value must not start a line of its own: it could forge a section.
TEST(IniFileParseTest, LineBreaksCannotInjectLines) {
    IniFile file;
    file.SetValue(u"S", u"k", u" a\r\n[Evil]\nx=1 ");
    const IniFile reread = IniFile::Parse(file.ToBytes());
    EXPECT_EQ(reread.SectionNames(), QStringList({"S"}));
    EXPECT_EQ(reread.String(u"S", u"k", "-"), "a  [Evil] x=1");
}

// Parsing is total: any bytes give a document that writes and re-reads to itself.
TEST(IniFileParseTest, ArbitraryBytesParseStably) {
    std::mt19937 random(20240607);
    const char alphabet[] = "[]=;\r\n \t\"'ab\xff\xc3\0";
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes(static_cast<qsizetype>(random() % 200), '\0');
        for (char& c : bytes) {
            c = random() % 4 == 0 ? static_cast<char>(random())
                                  : alphabet[random() % (sizeof alphabet - 1)];
        }
        const IniFile first = IniFile::Parse(bytes);
        const IniFile second = IniFile::Parse(first.ToBytes());
        ASSERT_EQ(second.ToBytes(), first.ToBytes()) << bytes.toHex().constData();
        ASSERT_EQ(second.SectionNames(), first.SectionNames()) << bytes.toHex().constData();
    }
}

// Sizes where a quadratic parser would not finish.
TEST(IniFileParseTest, LargeInputs) {
    const QByteArray many = QByteArray("[s]\nk=1\n").repeated(200000);
    const IniFile file = IniFile::Parse(many + QByteArray(4'000'000, '[') + "]\n");
    EXPECT_EQ(file.SectionNames().size(), 200001);
    EXPECT_EQ(file.SectionNames().back().size(), 3'999'999);
}

}  // namespace
