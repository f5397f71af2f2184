#include "platform/ProgramArguments.h"

// shellapi.h needs the types windows.h defines first.
#include <windows.h>
//
#include <shellapi.h>

#include "platform/FileName.h"
#include "platform/win32/WideText.h"

namespace platform {

QList<QByteArray> ProgramArguments(int, char*[]) {
    QList<QByteArray> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments << EncodeFileName(win32::FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

}  // namespace platform
