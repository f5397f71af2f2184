#include "platform/AppDataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <vector>

namespace platform {
namespace {

// HOME is missing in some service and cron environments; the account database still knows
// the user's home, which beats writing settings into the root folder.
QString HomeFolder() {
    if (const QString home = qEnvironmentVariable("HOME"); QDir::isAbsolutePath(home)) {
        return home;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        if (const QString home = QFile::decodeName(found->pw_dir); QDir::isAbsolutePath(home)) {
            return home;
        }
    }
    return QDir::rootPath();
}

}  // namespace

QString AppDataFolder() {
    if (const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QDir::isAbsolutePath(config)) {
        return QDir::cleanPath(config);
    }
    return QDir::cleanPath(HomeFolder() + QStringLiteral("/.config"));
}

}  // namespace platform
