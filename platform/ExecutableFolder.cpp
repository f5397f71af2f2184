#include "platform/ExecutableFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

QString ExecutableFolder() {
#ifdef Q_OS_LINUX
    // The kernel's link names the real file whatever the current directory or argv[0] say,
    // and it needs no QCoreApplication.
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
#else
    const QString executable = QCoreApplication::applicationFilePath();
#endif
    QString folder = QFileInfo(executable).absolutePath();
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    return folder;
}

}  // namespace platform
