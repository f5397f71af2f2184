#include "platform/PrivateFolder.h"

#include <QDir>

#include "platform/win32/WideText.h"

namespace platform {

// The folder inherits the access rules of the user's profile, which only the user can read.
void CreatePrivateFolder(const QString& folder) {
    const QString path = QDir::toNativeSeparators(QDir::cleanPath(folder));
    // Past the root: "C:\" or "\\server\share\" cannot be created.
    qsizetype from = 0;
    if (path.startsWith(QStringLiteral("\\\\"))) {
        from = path.indexOf(u'\\', path.indexOf(u'\\', 2) + 1);
        if (from < 0) return;
    } else if (path.size() >= 2 && path[1] == u':') {
        from = 2;
    }
    for (qsizetype end = path.indexOf(u'\\', from + 1); end >= 0;
         end = path.indexOf(u'\\', end + 1))
        CreateDirectoryW(win32::Wide(path.left(end)).c_str(), nullptr);
    CreateDirectoryW(win32::Wide(path).c_str(), nullptr);
}

}  // namespace platform
