#include "platform/AppDataFolder.h"

#include <shlobj.h>

#include <QDir>

#include "platform/win32/WideText.h"

namespace platform {

QString AppDataFolder() {
    // APPDATA names the same folder unless someone moved it for this process (tests do).
    if (const QString appData = qEnvironmentVariable("APPDATA"); QDir::isAbsolutePath(appData)) {
        return QDir::cleanPath(QDir::fromNativeSeparators(appData));
    }
    wchar_t* path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = QDir::cleanPath(QDir::fromNativeSeparators(win32::FromWide(path)));
    CoTaskMemFree(path);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

}  // namespace platform
