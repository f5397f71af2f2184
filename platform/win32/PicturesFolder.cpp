#include "platform/PicturesFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString PicturesFolder() {
    // Qt asks for the Pictures known folder, which follows a folder the user moved.
    const QString known = QDir::fromNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    if (QDir::isAbsolutePath(known)) {
        return QDir::cleanPath(known);
    }
    const QString profile = QDir::fromNativeSeparators(qEnvironmentVariable("USERPROFILE"));
    const QString home = QDir::isAbsolutePath(profile) ? profile : QDir::homePath();
    return QDir::cleanPath(home + QStringLiteral("/Pictures"));
}

}  // namespace platform
