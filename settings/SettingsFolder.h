#pragma once

#include <QString>

// The player's own folder inside the user's settings folder, "<app data>/MoviraPlayer/",
// ending in '/'. Only the path: the folder is created when a settings file path is built.
QString SettingsFolder();
