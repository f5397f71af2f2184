#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

// A private-profile (INI) file: "[section]" headers, "key=value" lines and ';' comments.
// It reads the way the Windows profile functions do: section and key names match without
// regard to letter case, names and values lose surrounding blanks, the first of duplicate
// sections or keys is the one that counts, and lines before the first header belong to no
// section. Everything the program does not set (comments, blank lines, unknown sections
// and keys, even bytes that are not valid UTF-8) is written back exactly as it was read,
// so a file shared with other versions or edited by hand keeps what they put there.
class IniFile {
  public:
    // Applies a save's keys to the file as it is on disk at the moment of saving.
    using Change = std::function<void(IniFile& file)>;

    // UTF-8 with or without a byte-order mark, or UTF-16 with one. Never fails: a line
    // that is neither a header nor a key line is kept and otherwise ignored.
    static IniFile Parse(QByteArrayView bytes);

    // The file at path. A missing, unreadable or non-regular file reads as an empty one,
    // so every reader falls back to its defaults.
    static IniFile Read(const QString& path);

    // UTF-8 without a byte-order mark, every line ended by '\n'.
    QByteArray ToBytes() const;

    // Every section header's name in file order, duplicates included.
    QStringList SectionNames() const;

    class SectionView;
    // Calls visit once for every section name, in file order, with the first section of
    // that name: what String and Int would find, without looking each name up again.
    void ForEachSection(const std::function<void(const SectionView& section)>& visit) const;

    // The value of key in the first section of that name with one pair of matching quotes
    // around it removed, or fallback when the section or the key does not exist. A key
    // that is present with an empty value gives the empty text, not the fallback.
    QString String(QStringView section, QStringView key, const QString& fallback) const;
    // Whether the first section of that name holds key, whatever its value.
    bool Contains(QStringView section, QStringView key) const;

    // The value read as an integer: an optional sign and the decimal digits that follow,
    // up to the first other character; no digits give 0. A missing or empty value gives
    // fallback. Values beyond the int range are clamped to it.
    int Int(QStringView section, QStringView key, int fallback) const;
    // The same reading of a value already looked up with String.
    static int ToInt(QStringView value, int fallback);

    // Sets the first occurrence of key in the first section of that name, keeping the
    // spelling of both names as found; a missing section is added at the end, a missing
    // key after the section's last key. Line breaks in the arguments become spaces, since
    // they would otherwise start new lines. Names must not contain '=' or start with '['
    // or ';', which would read back as something else.
    void SetValue(QStringView section, QStringView key, QStringView value);

    // Saves path once and atomically, merged with what is on disk at this moment: under the
    // file's lock (AtomicFile::Update, which says how the file is replaced) the file is read
    // again, change applies its keys to it, and the result replaces it. Another process saving
    // the same file in the same way therefore loses none of its keys. Returns false, leaving
    // the old file untouched and no temporary file behind, when any step fails, and also when
    // the file exists but cannot be read, since writing then would throw away its contents.
    static bool Update(const QString& path, const Change& change);

  private:
    // One line. A line as read is a range of m_text, so reading a large file allocates
    // nothing per line; a line the program wrote holds its own bytes.
    struct Line {
        qsizetype begin = 0;  // in m_text, when own is null
        qsizetype size = 0;
        QByteArray own;
        // Key lines: the trimmed name before the first '=' and the trimmed text after it,
        // as offsets into the line.
        qsizetype keyBegin = 0;
        qsizetype keySize = 0;
        qsizetype valueBegin = 0;
        qsizetype valueSize = 0;
        bool isKey = false;
        bool asciiKey = false;  // the name is plain ASCII, compared without decoding
    };

    struct Section {
        QString name;
        Line header;
        // Its lines as read are m_lines[first, first + count); keys the program adds are
        // kept apart and written after the last key read, before trailing comments.
        qsizetype first = 0;
        qsizetype count = 0;
        qsizetype lastKey = -1;  // relative to first
        std::vector<Line> added;
        bool firstOfName = true;  // a later section of a name already used is never searched
    };

    void AddLine(qsizetype begin, qsizetype size);
    QByteArrayView Bytes(const Line& line) const;
    QByteArrayView Key(const Line& line) const;
    QByteArrayView Value(const Line& line) const;
    const Section* FindSection(QStringView name) const;
    const Line* FindKey(const Section& section, QStringView key) const;
    Line* FindKey(Section& section, QStringView key);
    Section& SectionForWriting(const QString& name);

    QByteArray m_text;             // the file as read, in UTF-8 without a byte-order mark
    std::vector<Line> m_preamble;  // lines before the first header
    std::vector<Line> m_lines;     // the lines of every section, as read
    std::vector<Section> m_sections;
    QHash<QString, size_t> m_sectionIndex;  // case-folded name to its first section
};

// The first section of one name, as ForEachSection hands it out.
class IniFile::SectionView {
  public:
    const QString& Name() const { return m_section.name; }
    // As IniFile::String and IniFile::Int for this section.
    QString String(QStringView key, const QString& fallback) const;
    int Int(QStringView key, int fallback) const;
    // The value as String reads it, or nothing when the section has no such key.
    std::optional<QString> Find(QStringView key) const;

  private:
    friend class IniFile;
    SectionView(const IniFile& file, const Section& section) : m_file(file), m_section(section) {}
    const IniFile& m_file;
    const Section& m_section;
};

}  // namespace platform
