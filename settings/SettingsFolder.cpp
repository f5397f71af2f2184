#include "settings/SettingsFolder.h"

#include "platform/AppDataFolder.h"

QString SettingsFolder() {
    QString folder = platform::AppDataFolder();
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    return folder + QStringLiteral("MoviraPlayer/");
}
