// Settings files are plain text that users edit by hand and that other versions share, so
// the reader must take any bytes. Beyond not crashing it must keep its promises: what it
// saves reads back the same, lookups follow the documented rules, and a value it sets reads
// back as set.

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "FuzzTargets.h"
#include "platform/IniFile.h"

using platform::IniFile;

namespace {

// Enough lookups to cover the sections and keys of a typical input without letting one
// large input take seconds.
constexpr qsizetype kMaxNames = 16;

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Int's documented reading, done another way: the C library's strtoll on the sign and the
// digits that follow it, then clamped to int.
int ExpectedInt(const QString& text) {
    std::string prefix;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        prefix += char(text[i++].unicode());
    while (i < text.size() && IsAsciiDigit(text[i])) prefix += char(text[i++].unicode());
    errno = 0;
    const long long value = std::strtoll(prefix.c_str(), nullptr, 10);
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// One pair of matching quotes comes off a value on reading.
QString ExpectedUnquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// What SetValue is documented to store: surrounding blanks gone, line breaks as spaces.
QString ExpectedStored(const QString& value) {
    static const auto blank = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
    };
    qsizetype begin = 0, end = value.size();
    while (begin < end && blank(value[begin])) ++begin;
    while (end > begin && blank(value[end - 1])) --end;
    QString stored = value.mid(begin, end - begin);
    stored.replace(u'\r', u' ').replace(u'\n', u' ');
    return stored;
}

// A name SetValue accepts: no line breaks, no '=', and nothing that reads as a header or a
// comment.
QString UsableName(QString name, const QString& fallback) {
    name.replace(u'\r', u' ').replace(u'\n', u' ');
    name.remove(u'=').remove(u'[').remove(u';');
    return name.trimmed().isEmpty() ? fallback : name;
}

// Names to look up: the text before the first '=' of each line, trimmed or not, whether or
// not the parser took the line for a key, so that near misses are looked up too.
QStringList CandidateKeys(const QByteArray& saved) {
    QStringList keys;
    for (const QByteArray& line : saved.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        keys.append(QString::fromUtf8(line.left(equals)));
        if (keys.size() >= kMaxNames) break;
    }
    keys.append(QStringLiteral("volume"));  // a key the program reads, possibly absent
    return keys;
}

void CheckLookups(const IniFile& file, const IniFile& reread, const QString& section,
                  const QString& key) {
    const QString fallback = QStringLiteral("\x01fallback");
    const QString value = file.String(section, key, fallback);
    FUZZ_CHECK(reread.String(section, key, fallback) == value,
               "a saved file gives another value for a key");
    const QString plain = file.String(section, key, QString());
    const bool present = value != fallback;
    FUZZ_CHECK(present || plain.isEmpty(), "a missing key reads as something");
    if (plain.isEmpty()) {
        FUZZ_CHECK(file.Int(section, key, 7) == 7 && file.Int(section, key, -7) == -7,
                   "an empty or missing value does not give the fallback");
    } else {
        FUZZ_CHECK(file.Int(section, key, 7) == ExpectedInt(plain),
                   "Int does not read the sign and leading digits");
    }
}

}  // namespace

void FuzzIniFile(QByteArrayView data) {
    const IniFile file = IniFile::Parse(data);
    const QByteArray saved = file.ToBytes();
    const IniFile reread = IniFile::Parse(saved);
    FUZZ_CHECK(reread.ToBytes() == saved, "a saved file does not read back as saved");
    FUZZ_CHECK(reread.SectionNames() == file.SectionNames(), "a saved file has other sections");

    QStringList sections = file.SectionNames().mid(0, kMaxNames);
    sections.append(QString());  // a header-less name; also the name of "[]"
    const QStringList keys = CandidateKeys(saved);
    for (const QString& section : sections) {
        for (const QString& key : keys) CheckLookups(file, reread, section, key);
    }

    // A value set in the parsed file reads back, after a save, as documented. The value is
    // the input's start, so that it holds quotes, blanks and line breaks now and then.
    IniFile edited = IniFile::Parse(data);
    const QString section = UsableName(sections.front(), QStringLiteral("Settings"));
    const QString key = UsableName(keys.front(), QStringLiteral("key"));
    const QString value = QString::fromUtf8(data.first(std::min<qsizetype>(data.size(), 80)));
    edited.SetValue(section, key, value);
    const IniFile afterSet = IniFile::Parse(edited.ToBytes());
    FUZZ_CHECK(afterSet.String(section, key, QStringLiteral("\x01missing")) ==
                   ExpectedUnquoted(ExpectedStored(value)),
               "a value that was set does not read back");
}
