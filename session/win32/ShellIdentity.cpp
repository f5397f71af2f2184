#include "session/win32/ShellIdentity.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <QDir>
#include <QLoggingCategory>

#include "session/win32/WindowsShell.h"

namespace {
Q_LOGGING_CATEGORY(lcShell, "movira.session.shell")
}  // namespace

void SetShellApplicationId(const QString& id) {
    const HRESULT result =
        SetCurrentProcessExplicitAppUserModelID(reinterpret_cast<PCWSTR>(id.utf16()));
    if (FAILED(result))
        qCDebug(lcShell, "application id: 0x%08lx", static_cast<unsigned long>(result));
}

void ShellRecentDocuments::Add(const QString& path) {
    // The shell keeps the document for the process's application id.
    const QString native = QDir::toNativeSeparators(path);
    SHAddToRecentDocs(SHARD_PATHW, reinterpret_cast<PCWSTR>(native.utf16()));
}
