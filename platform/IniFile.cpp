#include "platform/IniFile.h"

#include <QStringDecoder>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "platform/AtomicFile.h"
#include "platform/LeadingInteger.h"

namespace platform {
namespace {

// ---- Text ----

bool IsAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// The form in which names are compared. Names are nearly always ASCII, folded here
// without Unicode's tables, and most are already folded and are shared, not copied.
QString Folded(const QString& name) {
    if (!IsAscii(name)) {
        return name.toCaseFolded();
    }
    if (std::none_of(name.begin(), name.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; })) {
        return name;
    }
    QString folded = name;
    for (QChar& c : folded) {
        c = QChar(AsciiLower(c.unicode()));
    }
    return folded;
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

bool IsBlankByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The same blanks the parser trims, and no others: a value ending in a no-break space
// must read back as it was written.
QStringView TrimmedBlanks(QStringView text) {
    while (!text.isEmpty() && IsBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && IsBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

// [begin, end) of text without its leading and trailing blanks.
void TrimBlanks(const char* text, qsizetype& begin, qsizetype& end) {
    while (begin < end && IsBlankByte(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlankByte(text[end - 1])) {
        --end;
    }
}

// A line break inside a name or value would split the line and could forge a header.
QString OneLine(QStringView text) {
    QString line = TrimmedBlanks(text).toString();
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

// Names and values keep every character they were written with: QString::fromUtf8 would
// drop a leading U+FEFF as a byte-order mark, and a value set with one would read back
// without it. The file's own mark is dealt with once, by AsUtf8.
QString Decoded(QByteArrayView utf8) {
    if (IsAscii(utf8)) {
        return QString::fromLatin1(utf8);
    }
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                      QStringConverter::Flag::Stateless);
    return decode(utf8);
}

// Whether a name in the file (UTF-8) and a name asked for are the same but for letter
// case. ASCII names, nearly all of them, are compared in place; anything else is decoded
// and case-folded, since some non-ASCII letters fold to ASCII ones (KELVIN SIGN to 'k').
bool SameName(QByteArrayView utf8, bool asciiUtf8, QStringView name, bool asciiName) {
    if (asciiUtf8 && asciiName) {
        if (utf8.size() != name.size()) {
            return false;
        }
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            if (AsciiLower(static_cast<char16_t>(utf8[i])) != AsciiLower(name[i].unicode())) {
                return false;
            }
        }
        return true;
    }
    return Decoded(utf8).toCaseFolded() == name.toString().toCaseFolded();
}

template <typename Text>
Text Unquoted(Text value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.sliced(1, value.size() - 2);
    }
    return value;
}

// Values are read without the blanks around them, but a quoted value keeps those inside the
// quotes, and these end the number: a quoted " 5" reads as 0.
template <typename Text>
int ClampedInteger(Text text) {
    return static_cast<int>(std::clamp<std::int64_t>(LeadingInteger(text), INT_MIN, INT_MAX));
}

// Parsing works on UTF-8 bytes: every character that gives a line its structure is ASCII,
// so lines can be split and kept byte for byte without decoding them first. Repeated marks
// and the bytes 0xFF and 0xFE (never part of UTF-8) are dropped from the start, so that a
// saved file never begins with something the next read would take for a byte-order mark.
QByteArray AsUtf8(QByteArrayView bytes) {
    for (const auto& [mark, encoding] : {std::pair{"\xFF\xFE", QStringConverter::Utf16LE},
                                         std::pair{"\xFE\xFF", QStringConverter::Utf16BE}}) {
        if (bytes.startsWith(mark)) {
            QStringDecoder decode(encoding, QStringConverter::Flag::Stateless);
            QString text = decode(bytes.sliced(2));
            qsizetype marks = 0;
            while (marks < text.size() && text[marks] == QChar::ByteOrderMark) {
                ++marks;
            }
            return text.sliced(marks).toUtf8();
        }
    }
    for (;;) {
        if (bytes.startsWith("\xEF\xBB\xBF")) {
            bytes = bytes.sliced(3);
        } else if (bytes.startsWith('\xFF') || bytes.startsWith('\xFE')) {
            bytes = bytes.sliced(1);
        } else {
            return bytes.toByteArray();
        }
    }
}

}  // namespace

// ---- Document ----

IniFile IniFile::Parse(QByteArrayView bytes) {
    IniFile file;
    file.m_text = AsUtf8(bytes);
    const qsizetype size = file.m_text.size();
    // Counting first spares the containers their growth, which for a large file costs
    // more than the count.
    size_t lines = 1;
    size_t headers = file.m_text.startsWith('[') ? 1 : 0;
    for (qsizetype at = file.m_text.indexOf('\n'); at >= 0;
         at = file.m_text.indexOf('\n', at + 1)) {
        ++lines;
        headers += at + 1 < size && file.m_text[at + 1] == '[' ? 1 : 0;
    }
    file.m_lines.reserve(lines);
    file.m_sections.reserve(headers);
    file.m_sectionIndex.reserve(static_cast<qsizetype>(headers));
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = file.m_text.indexOf('\n', start);
        if (end < 0) {
            end = size;
        }
        // All of a line's trailing CRs go: one left behind would end up before the '\n' on
        // saving and make the line read differently the next time.
        qsizetype lineEnd = end;
        while (lineEnd > start && file.m_text[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        file.AddLine(start, lineEnd - start);
        start = end + 1;
    }
    return file;
}

void IniFile::AddLine(qsizetype begin, qsizetype size) {
    const char* text = m_text.constData() + begin;
    qsizetype first = 0;
    qsizetype last = size;
    TrimBlanks(text, first, last);
    const QByteArrayView content(text + first, last - first);
    // The last ']' closes the header, so a name may itself contain ']'. A '[' line without
    // one is no header and is read like any other line.
    if (content.startsWith('[')) {
        if (const qsizetype close = content.lastIndexOf(']'); close > 0) {
            qsizetype nameBegin = first + 1;
            qsizetype nameEnd = first + close;
            TrimBlanks(text, nameBegin, nameEnd);
            Section section;
            section.name = Decoded(QByteArrayView(text + nameBegin, nameEnd - nameBegin));
            section.header.begin = begin;
            section.header.size = size;
            section.first = static_cast<qsizetype>(m_lines.size());
            QString folded = Folded(section.name);
            section.firstOfName = !m_sectionIndex.contains(folded);
            if (section.firstOfName) {
                m_sectionIndex.insert(std::move(folded), m_sections.size());
            }
            m_sections.push_back(std::move(section));
            return;
        }
    }
    Line parsed;
    parsed.begin = begin;
    parsed.size = size;
    if (const qsizetype equals = content.indexOf('='); equals >= 0 && !content.startsWith(';')) {
        parsed.isKey = true;
        parsed.keyBegin = first;
        qsizetype keyEnd = first + equals;
        TrimBlanks(text, parsed.keyBegin, keyEnd);
        parsed.keySize = keyEnd - parsed.keyBegin;
        parsed.asciiKey = IsAscii(QByteArrayView(text + parsed.keyBegin, parsed.keySize));
        parsed.valueBegin = first + equals + 1;
        qsizetype valueEnd = last;
        TrimBlanks(text, parsed.valueBegin, valueEnd);
        parsed.valueSize = valueEnd - parsed.valueBegin;
    }
    if (m_sections.empty()) {
        m_preamble.push_back(std::move(parsed));
        return;
    }
    Section& section = m_sections.back();
    if (parsed.isKey) {
        section.lastKey = section.count;
    }
    ++section.count;
    m_lines.push_back(std::move(parsed));
}

QByteArrayView IniFile::Bytes(const Line& line) const {
    if (!line.own.isNull()) {
        return line.own;
    }
    return {m_text.constData() + line.begin, line.size};
}

QByteArrayView IniFile::Key(const Line& line) const {
    return Bytes(line).sliced(line.keyBegin, line.keySize);
}

QByteArrayView IniFile::Value(const Line& line) const {
    return Bytes(line).sliced(line.valueBegin, line.valueSize);
}

QByteArray IniFile::ToBytes() const {
    QByteArray bytes;
    bytes.reserve(m_text.size() + 1);
    const auto append = [this, &bytes](const Line& line) {
        bytes += Bytes(line);
        bytes += '\n';
    };
    for (const Line& line : m_preamble) {
        append(line);
    }
    for (const Section& section : m_sections) {
        append(section.header);
        const auto read = m_lines.cbegin() + section.first;
        const auto keysEnd = read + (section.lastKey + 1);  // lastKey is -1 without keys
        std::for_each(read, keysEnd, append);
        std::for_each(section.added.cbegin(), section.added.cend(), append);
        std::for_each(keysEnd, read + section.count, append);
    }
    return bytes;
}

QStringList IniFile::SectionNames() const {
    QStringList names;
    names.reserve(static_cast<qsizetype>(m_sections.size()));
    for (const Section& section : m_sections) {
        names.append(section.name);
    }
    return names;
}

void IniFile::ForEachSection(const std::function<void(const SectionView& section)>& visit) const {
    for (const Section& section : m_sections) {
        if (section.firstOfName) {
            visit(SectionView(*this, section));
        }
    }
}

const IniFile::Section* IniFile::FindSection(QStringView name) const {
    const auto found = m_sectionIndex.constFind(Folded(TrimmedBlanks(name).toString()));
    return found == m_sectionIndex.cend() ? nullptr : &m_sections[*found];
}

const IniFile::Line* IniFile::FindKey(const Section& section, QStringView key) const {
    key = TrimmedBlanks(key);
    const bool asciiKey = IsAscii(key);
    const auto matches = [this, key, asciiKey](const Line& line) {
        return line.isKey && SameName(Key(line), line.asciiKey, key, asciiKey);
    };
    const auto read = m_lines.cbegin() + section.first;
    if (const auto found = std::find_if(read, read + section.count, matches);
        found != read + section.count) {
        return &*found;
    }
    const auto added = std::find_if(section.added.cbegin(), section.added.cend(), matches);
    return added == section.added.cend() ? nullptr : &*added;
}

IniFile::Line* IniFile::FindKey(Section& section, QStringView key) {
    // Only the constness differs; the lines belong to this file.
    return const_cast<Line*>(std::as_const(*this).FindKey(std::as_const(section), key));
}

std::optional<QString> IniFile::SectionView::Find(QStringView key) const {
    const Line* line = m_file.FindKey(m_section, key);
    if (line == nullptr) {
        return std::nullopt;
    }
    return Decoded(Unquoted(m_file.Value(*line)));
}

QString IniFile::SectionView::String(QStringView key, const QString& fallback) const {
    return Find(key).value_or(fallback);
}

int IniFile::SectionView::Int(QStringView key, int fallback) const {
    const Line* line = m_file.FindKey(m_section, key);
    if (line == nullptr) {
        return fallback;
    }
    const QByteArrayView text = Unquoted(m_file.Value(*line));
    return text.isEmpty() ? fallback : ClampedInteger(text);
}

QString IniFile::String(QStringView section, QStringView key, const QString& fallback) const {
    const Section* found = FindSection(section);
    return found == nullptr ? fallback : SectionView(*this, *found).String(key, fallback);
}

bool IniFile::Contains(QStringView section, QStringView key) const {
    const Section* found = FindSection(section);
    return found != nullptr && SectionView(*this, *found).Find(key).has_value();
}

int IniFile::ToInt(QStringView value, int fallback) {
    return value.isEmpty() ? fallback : ClampedInteger(value);
}

int IniFile::Int(QStringView section, QStringView key, int fallback) const {
    const Section* found = FindSection(section);
    return found == nullptr ? fallback : SectionView(*this, *found).Int(key, fallback);
}

IniFile::Section& IniFile::SectionForWriting(const QString& name) {
    QString folded = Folded(name);
    if (const auto found = m_sectionIndex.constFind(folded); found != m_sectionIndex.cend()) {
        return m_sections[*found];
    }
    m_sectionIndex.insert(std::move(folded), m_sections.size());
    Section& section = m_sections.emplace_back();
    section.name = name;
    section.header.own = (u'[' + name + u']').toUtf8();
    return section;
}

void IniFile::SetValue(QStringView section, QStringView key, QStringView value) {
    Section& target = SectionForWriting(OneLine(section));
    const QString name = OneLine(key);
    const QByteArray text = OneLine(value).toUtf8();
    if (Line* found = FindKey(target, name); found != nullptr) {
        Line& line = *found;
        // An unchanged value keeps its line as the user wrote it, and an unchanged file
        // is not written at all.
        if (Value(line) == text) {
            return;
        }
        // The name keeps the spelling it has in the file.
        QByteArray bytes = Key(line).toByteArray();
        line.keyBegin = 0;
        line.keySize = bytes.size();
        bytes += '=';
        line.valueBegin = bytes.size();
        line.valueSize = text.size();
        bytes += text;
        line.own = std::move(bytes);
        return;
    }
    Line added;
    added.own = name.toUtf8();
    added.keySize = added.own.size();
    added.asciiKey = IsAscii(name);
    added.own += '=';
    added.valueBegin = added.own.size();
    added.valueSize = text.size();
    added.own += text;
    added.isKey = true;
    target.added.push_back(std::move(added));
}

// ---- Saving ----

IniFile IniFile::Read(const QString& path) {
    const std::optional<QByteArray> bytes = AtomicFile(path).Read();
    return bytes ? Parse(*bytes) : IniFile();
}

bool IniFile::Update(const QString& path, const Change& change) {
    return AtomicFile(path).Update([&change](const QByteArray& current) {
        IniFile file = Parse(current);
        change(file);
        return file.ToBytes();
    });
}

}  // namespace platform
