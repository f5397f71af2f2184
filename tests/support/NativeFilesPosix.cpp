#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "NativeFiles.h"

std::uint64_t FileIdentity(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

bool LockHeldElsewhere(const QString& lockPath) {
    const int other = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CLOEXEC);
    if (other < 0) return false;
    const bool held = ::flock(other, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(other);
    return held;
}

// A named pipe: opening it for reading would block until a writer comes.
UnreadableFile::UnreadableFile(const QString& path) : m_path(path) {
    m_made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

UnreadableFile::~UnreadableFile() = default;

bool UnreadableFile::Untouched() const {
    struct stat info {};
    return ::lstat(QFile::encodeName(m_path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}
