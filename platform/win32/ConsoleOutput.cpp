#include "platform/ConsoleOutput.h"

#include <QString>

#include "platform/win32/WideText.h"

namespace platform {
namespace {

// Text for a console goes as UTF-16, whatever its code page; to a pipe or file as UTF-8.
void WriteTo(HANDLE handle, std::string_view text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide =
            win32::Wide(QString::fromUtf8(text.data(), qsizetype(text.size())));
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

}  // namespace

void WriteToConsole(std::string_view text) {
    // Redirected output, or a parent that handed its handles down, comes first; a program
    // started from a console window has no handles of its own and joins that console.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN) {
        WriteTo(output, text);
        return;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    const win32::Handle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (console) WriteTo(console.get(), text);
    FreeConsole();
}

}  // namespace platform
