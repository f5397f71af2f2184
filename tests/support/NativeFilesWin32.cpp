#include <windows.h>

#include <QDir>
#include <string>

#include "NativeFiles.h"

namespace {

std::wstring NativeName(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

HANDLE Open(const QString& path, DWORD access, DWORD share, DWORD disposition) {
    return CreateFileW(NativeName(path).c_str(), access, share, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::uint64_t FileIdentity(const QString& path) {
    const HANDLE file =
        Open(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known ? (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
}

bool LockHeldElsewhere(const QString& lockPath) {
    const HANDLE other =
        Open(lockPath, GENERIC_READ | GENERIC_WRITE,
             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (other == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED from{};
    const bool held = !LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                                  MAXDWORD, MAXDWORD, &from) &&
                      GetLastError() == ERROR_LOCK_VIOLATION;
    if (!held) UnlockFileEx(other, 0, MAXDWORD, MAXDWORD, &from);
    CloseHandle(other);
    return held;
}

// A file another program keeps open without sharing it, as a backup or a scanner may.
UnreadableFile::UnreadableFile(const QString& path) : m_path(path) {
    const HANDLE file = Open(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
    m_made = file != INVALID_HANDLE_VALUE;
    if (m_made) {
        DWORD written = 0;
        WriteFile(file, "kept", 4, &written, nullptr);
        m_handle = file;
    }
}

UnreadableFile::~UnreadableFile() {
    if (m_made) CloseHandle(m_handle);
}

bool UnreadableFile::Untouched() const {
    char bytes[8] = {};
    DWORD read = 0;
    return m_made && SetFilePointer(m_handle, 0, nullptr, FILE_BEGIN) == 0 &&
           ReadFile(m_handle, bytes, sizeof bytes, &read, nullptr) && read == 4 &&
           std::string(bytes, read) == "kept";
}
