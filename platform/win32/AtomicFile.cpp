#include "platform/AtomicFile.h"

#include <QByteArrayView>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

#include "platform/win32/WideText.h"

namespace platform {
namespace {

using win32::Handle;
using win32::Wide;

enum class ReadResult { Read, Missing, Failed };

// Another program (a virus scanner, a backup, a second player mid-rename) may hold the file
// open without sharing for a moment; such an error is worth a few more tries.
bool IsMomentary(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED ||
           error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

template <typename Step>
bool Retrying(const Step& step) {
    constexpr int kAttempts = 10;
    for (int attempt = 1;; ++attempt) {
        if (step()) return true;
        if (attempt == kAttempts || !IsMomentary(GetLastError())) return false;
        Sleep(20);
    }
}

// Only a regular file is read: a device or pipe under the file's name would block or never end.
ReadResult ReadWholeFile(const QString& path, QByteArray& bytes) {
    Handle file;
    const bool opened = Retrying([&] {
        file.Reset(CreateFileW(Wide(QDir::toNativeSeparators(path)).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return bool(file);
    });
    if (!opened) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                              : ReadResult::Failed;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return ReadResult::Failed;
    }
    bytes.clear();
    const quint64 size = (quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    bytes.reserve(static_cast<qsizetype>(std::min<quint64>(size, 1 << 24)));
    char chunk[65536];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &count, nullptr)) return ReadResult::Failed;
        if (count == 0) return ReadResult::Read;
        bytes.append(chunk, count);
    }
}

bool WriteAll(HANDLE file, QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size(), 1 << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

QString TemporaryPrefix(const QString& name) { return name + QStringLiteral(".tmp-"); }

// A writer creates its temporary file only while it holds the lock, so one that exists
// while we hold the lock was left by a writer that died before its rename.
void RemoveLeftoverTemporaries(const QString& target) {
    const QFileInfo info(target);
    const QString prefix = TemporaryPrefix(info.fileName());
    QDir folder = info.absoluteDir();
    for (const QString& name :
         folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (name.startsWith(prefix)) folder.remove(name);
    }
}

// Whether the target can be deleted now, or is missing; otherwise the last error says why.
bool CanBeReplaced(const std::wstring& target) {
    const HANDLE file =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    CloseHandle(file);
    return true;
}

// ReplaceFileW keeps what the old file carried (its access rules, attributes, creation time),
// as a replaced file keeps its permissions on Linux; a first save has nothing to replace.
bool DefaultReplace(const QString& temporary, const QString& target) {
    const std::wstring from = Wide(QDir::toNativeSeparators(temporary));
    const std::wstring to = Wide(QDir::toNativeSeparators(target));
    return Retrying([&] {
        // While another program holds the target without sharing its deletion, replacing it
        // cannot work; asking first also spares the folder the stray temporary file that some
        // ReplaceFileW implementations (Wine's) leave behind when they fail that way.
        if (!CanBeReplaced(to)) return false;
        if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr)) {
            return true;
        }
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        return MoveFileExW(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
}

bool WriteReplacing(const QString& target, QByteArrayView bytes,
                    const AtomicFile::ReplaceStep& replace) {
    QString temporary;
    Handle file;
    // CREATE_NEW keeps a writer that has no lock from ever sharing a temporary file.
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary =
            TemporaryPrefix(target) + QString::number(QRandomGenerator::global()->generate64(), 16);
        file.Reset(CreateFileW(Wide(QDir::toNativeSeparators(temporary)).c_str(), GENERIC_WRITE, 0,
                               nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (!file) return false;
    bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    written = file.Close() && written;
    if (!written || !(replace ? replace(temporary, target) : DefaultReplace(temporary, target))) {
        DeleteFileW(Wide(QDir::toNativeSeparators(temporary)).c_str());
        return false;
    }
    return true;
}

// Holds an exclusive lock on the whole lock file until destroyed.
class FileLock {
  public:
    explicit FileLock(HANDLE file) : m_file(file) {
        OVERLAPPED from{};
        m_locked = LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &from) != 0;
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() {
        if (m_locked) {
            OVERLAPPED from{};
            UnlockFileEx(m_file, 0, MAXDWORD, MAXDWORD, &from);
        }
    }
    bool Locked() const { return m_locked; }

  private:
    HANDLE m_file;
    bool m_locked = false;
};

}  // namespace

std::optional<QByteArray> AtomicFile::Read() const {
    QByteArray bytes;
    if (ReadWholeFile(m_path, bytes) != ReadResult::Read) return std::nullopt;
    return bytes;
}

bool AtomicFile::Update(const Rewrite& rewrite, const ReplaceStep& replace) const {
    Handle lockFile;
    const std::wstring lockName = Wide(QDir::toNativeSeparators(m_path + QStringLiteral(".lock")));
    const bool opened = Retrying([&] {
        lockFile.Reset(CreateFileW(lockName.c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return bool(lockFile);
    });
    if (!opened) return false;
    // Without lock support (some network shares) saving unlocked still beats not saving: the
    // replacement keeps the file whole, only a concurrent save's keys may be lost.
    const FileLock lock(lockFile.get());

    QByteArray current;
    const ReadResult state = ReadWholeFile(m_path, current);
    if (state == ReadResult::Failed) return false;
    const QByteArray bytes = rewrite(current);

    if (lock.Locked()) RemoveLeftoverTemporaries(m_path);
    // Saving what is already there would only wear the disk.
    if (state == ReadResult::Read && bytes == current) return true;
    return WriteReplacing(m_path, bytes, replace);
}

}  // namespace platform
