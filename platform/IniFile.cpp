#include "platform/IniFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

namespace platform {
namespace {

// ---- Text ----

QString Folded(QStringView name) { return name.toString().toCaseFolded(); }

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
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
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                      QStringConverter::Flag::Stateless);
    return decode(utf8);
}

QString Unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.sliced(1, value.size() - 2);
    }
    return value;
}

// Sign and leading digits, stopping at the first other character. Accumulates in 64 bits
// and clamps, so no input can overflow.
int LeadingInteger(QStringView text) {
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    long long magnitude = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        magnitude = std::min(magnitude * 10 + (c.unicode() - u'0'), 1LL + INT_MAX);
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
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

// ---- Files ----

// Owns one POSIX file descriptor.
class FileHandle {
  public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }
    void Reset(int fd) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }
    explicit operator bool() const { return m_fd >= 0; }
    // Closing can report a deferred write error, so the writer checks it.
    bool Close() { return ::close(std::exchange(m_fd, -1)) == 0; }

  private:
    int m_fd;
};

enum class ReadResult { Read, Missing, Failed };

// Only a regular file is read: a pipe or device under the file's name would block or never
// end. O_NONBLOCK keeps the open itself from blocking on a pipe.
ReadResult ReadWholeFile(const QString& path, QByteArray& bytes) {
    FileHandle file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file) {
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return ReadResult::Failed;
    }
    bytes.clear();
    // The size is only a hint: a sparse file can claim far more than it would be sensible
    // to allocate in advance.
    bytes.reserve(static_cast<qsizetype>(std::min<off_t>(info.st_size, 1 << 24)));
    char chunk[65536];
    for (;;) {
        const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
        if (count == 0) {
            return ReadResult::Read;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return ReadResult::Failed;
        }
        bytes.append(chunk, count);
    }
}

bool WriteAll(int fd, QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const ssize_t count = ::write(fd, bytes.data(), static_cast<size_t>(bytes.size()));
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.sliced(count);
    }
    return true;
}

// EINVAL means the file system has nothing to flush; any other error (EIO, ENOSPC) means
// the data may not be on disk, and the rename must not happen.
bool FlushToDisk(int fd) { return ::fsync(fd) == 0 || errno == EINVAL; }

bool LockExclusive(int fd) {
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// A settings file that is a symbolic link (kept in a dotfiles repository, say) must stay
// one: the new file replaces the file the link points to, not the link.
QString ResolvedTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) {
        return path;
    }
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// Temporary files are named after their target so that leftovers can be recognised.
QString TemporaryPrefix(const QString& name) { return name + QStringLiteral(".tmp-"); }

// A writer creates its temporary file only while it holds the lock, so one that exists
// while we hold the lock was left by a writer that died before its rename.
void RemoveLeftoverTemporaries(const QString& target) {
    const QFileInfo info(target);
    const QString prefix = TemporaryPrefix(info.fileName());
    QDir folder = info.absoluteDir();
    for (const QString& name :
         folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (name.startsWith(prefix)) {
            folder.remove(name);
        }
    }
}

// The rename itself reaches the disk only when the folder is flushed too; failing that
// costs durability, not consistency, so it is not an error.
void FlushFolder(const QString& target) {
    FileHandle folder(::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) {
        ::fsync(folder.get());
    }
}

bool DefaultReplace(const QString& temporary, const QString& target) {
    return ::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target).constData()) == 0;
}

bool WriteReplacing(const QString& target, QByteArrayView bytes,
                    const IniFile::ReplaceStep& replace) {
    QString temporary;
    FileHandle file(-1);
    // Created with 0666 so that the umask decides, as for any new file; O_EXCL keeps a
    // writer that has no lock from ever sharing a temporary file with another.
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary =
            TemporaryPrefix(target) + QString::number(QRandomGenerator::global()->generate64(), 16);
        file.Reset(::open(QFile::encodeName(temporary).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (!file && errno != EEXIST) {
            return false;
        }
    }
    if (!file) {
        return false;
    }
    // The replacement keeps the permissions the user gave the old file.
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        ::fchmod(file.get(), old.st_mode & 07777);
    }
    bool written = WriteAll(file.get(), bytes) && FlushToDisk(file.get());
    written = file.Close() && written;
    if (!written || !(replace ? replace(temporary, target) : DefaultReplace(temporary, target))) {
        ::unlink(QFile::encodeName(temporary).constData());
        return false;
    }
    FlushFolder(target);
    return true;
}

}  // namespace

// ---- Document ----

IniFile IniFile::Parse(QByteArrayView bytes) {
    IniFile file;
    const QByteArray text = AsUtf8(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) {
            end = text.size();
        }
        QByteArrayView line(text.constData() + start, end - start);
        // All of a line's trailing CRs go: one left behind would end up before the '\n' on
        // saving and make the line read differently the next time.
        while (line.endsWith('\r')) {
            line.chop(1);
        }
        file.AddLine(line);
        start = end + 1;
    }
    return file;
}

void IniFile::AddLine(QByteArrayView line) {
    const QByteArrayView content = line.trimmed();
    // The last ']' closes the header, so a name may itself contain ']'. A '[' line without
    // one is no header and is read like any other line.
    if (content.startsWith('[')) {
        if (const qsizetype close = content.lastIndexOf(']'); close > 0) {
            Section section;
            section.name = Decoded(content.sliced(1, close - 1).trimmed());
            section.header = line.toByteArray();
            const QString folded = section.name.toCaseFolded();
            if (!m_sectionIndex.contains(folded)) {
                m_sectionIndex.insert(folded, m_sections.size());
            }
            m_sections.push_back(std::move(section));
            return;
        }
    }
    Line parsed{line.toByteArray(), {}, {}, false};
    if (const qsizetype equals = content.indexOf('='); equals >= 0 && !content.startsWith(';')) {
        parsed.isKey = true;
        parsed.key = Decoded(content.first(equals).trimmed());
        parsed.value = Decoded(content.sliced(equals + 1).trimmed());
    }
    if (m_sections.empty()) {
        m_preamble.push_back(std::move(parsed));
        return;
    }
    Section& section = m_sections.back();
    section.lines.push_back(std::move(parsed));
    if (section.lines.back().isKey) {
        const qsizetype index = static_cast<qsizetype>(section.lines.size()) - 1;
        const QString folded = section.lines.back().key.toCaseFolded();
        if (!section.keys.contains(folded)) {
            section.keys.insert(folded, index);
        }
        section.lastKey = index;
    }
}

QByteArray IniFile::ToBytes() const {
    QByteArray bytes;
    const auto append = [&bytes](const QByteArray& line) {
        bytes += line;
        bytes += '\n';
    };
    for (const Line& line : m_preamble) {
        append(line.text);
    }
    for (const Section& section : m_sections) {
        append(section.header);
        for (const Line& line : section.lines) {
            append(line.text);
        }
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

const IniFile::Line* IniFile::FindKey(QStringView section, QStringView key) const {
    const auto found = m_sectionIndex.constFind(Folded(TrimmedBlanks(section)));
    if (found == m_sectionIndex.cend()) {
        return nullptr;
    }
    const Section& inSection = m_sections[*found];
    const auto line = inSection.keys.constFind(Folded(TrimmedBlanks(key)));
    return line == inSection.keys.cend() ? nullptr : &inSection.lines[*line];
}

QString IniFile::String(QStringView section, QStringView key, const QString& fallback) const {
    const Line* line = FindKey(section, key);
    return line == nullptr ? fallback : Unquoted(line->value);
}

int IniFile::Int(QStringView section, QStringView key, int fallback) const {
    const QString text = String(section, key, QString());
    return text.isEmpty() ? fallback : LeadingInteger(text);
}

IniFile::Section& IniFile::SectionForWriting(const QString& name) {
    const QString folded = name.toCaseFolded();
    if (const auto found = m_sectionIndex.constFind(folded); found != m_sectionIndex.cend()) {
        return m_sections[*found];
    }
    m_sectionIndex.insert(folded, m_sections.size());
    Section& section = m_sections.emplace_back();
    section.name = name;
    section.header = (u'[' + name + u']').toUtf8();
    return section;
}

void IniFile::SetValue(QStringView section, QStringView key, QStringView value) {
    Section& target = SectionForWriting(OneLine(section));
    const QString name = OneLine(key);
    const QString text = OneLine(value);
    const QString folded = name.toCaseFolded();
    if (const auto found = target.keys.constFind(folded); found != target.keys.cend()) {
        Line& line = target.lines[*found];
        // An unchanged value keeps its line as the user wrote it, and an unchanged file
        // is not written at all.
        if (line.value == text) {
            return;
        }
        line.value = text;
        line.text = (line.key + u'=' + text).toUtf8();
        return;
    }
    // Only comments and blank lines follow the last key, so no indexed line moves.
    const qsizetype at = target.lastKey + 1;
    target.lines.insert(target.lines.begin() + at,
                        Line{(name + u'=' + text).toUtf8(), name, text, true});
    target.keys.insert(folded, at);
    target.lastKey = at;
}

// ---- Saving ----

IniFile IniFile::Read(const QString& path) {
    QByteArray bytes;
    return ReadWholeFile(path, bytes) == ReadResult::Read ? Parse(bytes) : IniFile();
}

bool IniFile::Update(const QString& path, const Change& change, const ReplaceStep& replace) {
    FileHandle lock(::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(),
                           O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600));
    if (!lock) {
        return false;
    }
    // Without flock support (some network file systems) saving unlocked still beats not
    // saving: the rename keeps the file whole, only a concurrent save's keys may be lost.
    const bool locked = LockExclusive(lock.get());
    const QString target = ResolvedTarget(path);

    QByteArray current;
    const ReadResult state = ReadWholeFile(target, current);
    if (state == ReadResult::Failed) {
        return false;
    }
    IniFile file = Parse(current);
    change(file);
    const QByteArray merged = file.ToBytes();

    if (locked) {
        RemoveLeftoverTemporaries(target);
    }
    // Saving what is already there would only wear the disk.
    if (state == ReadResult::Read && merged == current) {
        return true;
    }
    return WriteReplacing(target, merged, replace);
}

}  // namespace platform
