#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

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
                    const AtomicFile::ReplaceStep& replace) {
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

std::optional<QByteArray> AtomicFile::Read() const {
    QByteArray bytes;
    if (ReadWholeFile(m_path, bytes) != ReadResult::Read) {
        return std::nullopt;
    }
    return bytes;
}

bool AtomicFile::Update(const Rewrite& rewrite, const ReplaceStep& replace) const {
    FileHandle lock(::open(QFile::encodeName(m_path + QStringLiteral(".lock")).constData(),
                           O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600));
    if (!lock) {
        return false;
    }
    // Without flock support (some network file systems) saving unlocked still beats not
    // saving: the rename keeps the file whole, only a concurrent save's keys may be lost.
    const bool locked = LockExclusive(lock.get());
    const QString target = ResolvedTarget(m_path);

    QByteArray current;
    const ReadResult state = ReadWholeFile(target, current);
    if (state == ReadResult::Failed) {
        return false;
    }
    const QByteArray bytes = rewrite(current);

    if (locked) {
        RemoveLeftoverTemporaries(target);
    }
    // Saving what is already there would only wear the disk.
    if (state == ReadResult::Read && bytes == current) {
        return true;
    }
    return WriteReplacing(target, bytes, replace);
}

}  // namespace platform
