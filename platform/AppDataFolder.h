#pragma once

#include <QString>

namespace platform {

// The folder where programs keep the user's settings. On Linux $XDG_CONFIG_HOME when it
// names an absolute path (the base-directory convention says a relative one must be
// ignored), else $HOME/.config. On Windows the roaming application-data folder: %APPDATA%
// when absolute, else the system's known folder. The result is a cleaned absolute path with
// forward slashes and without a trailing one, except for a root folder itself. Nothing is
// created here.
QString AppDataFolder();

}  // namespace platform
