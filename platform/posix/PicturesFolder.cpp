#include "platform/PicturesFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString PicturesFolder() {
    // Set by the desktop session from user-dirs.dirs, or by the user for one program.
    if (const QString variable = qEnvironmentVariable("XDG_PICTURES_DIR");
        QDir::isAbsolutePath(variable)) {
        return QDir::cleanPath(variable);
    }
    // Qt reads user-dirs.dirs under $XDG_CONFIG_HOME and falls back to $HOME/Pictures.
    if (const QString desktop = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        QDir::isAbsolutePath(desktop)) {
        return QDir::cleanPath(desktop);
    }
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/Pictures"));
}

}  // namespace platform
