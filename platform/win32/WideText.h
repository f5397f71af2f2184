#pragma once
// Between the program's text and the UTF-16 strings the Windows API takes and gives.

#include <windows.h>

#include <QString>
#include <string>
#include <utility>

namespace platform::win32 {

inline std::wstring Wide(const QString& text) { return text.toStdWString(); }

inline QString FromWide(const wchar_t* text, int length = -1) {
    return length < 0 ? QString::fromWCharArray(text) : QString::fromWCharArray(text, length);
}

// The system's own text for an error code, without the line break it ends with.
inline QString SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    QString text = length > 0 ? FromWide(buffer, static_cast<int>(length)).trimmed()
                              : QStringLiteral("error %1").arg(code);
    LocalFree(buffer);
    return text;
}

// Owns one handle from CreateFileW and its kind (INVALID_HANDLE_VALUE when none).
class Handle {
  public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    HANDLE get() const { return m_handle; }
    void Reset(HANDLE handle) {
        Close();
        m_handle = handle;
    }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE && m_handle; }
    // Closing can report a deferred write error, so the writer checks it.
    bool Close() {
        const HANDLE handle = std::exchange(m_handle, INVALID_HANDLE_VALUE);
        return handle == INVALID_HANDLE_VALUE || !handle || CloseHandle(handle) != 0;
    }

  private:
    HANDLE m_handle;
};

}  // namespace platform::win32
