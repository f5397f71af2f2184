#pragma once

#include <QString>

namespace platform {

// The folder where programs keep the user's settings: $XDG_CONFIG_HOME when it names an
// absolute path (the base-directory convention says a relative one must be ignored), else
// $HOME/.config. The result is a cleaned absolute path without a trailing slash, except
// for the root folder itself. Nothing is created here.
QString AppDataFolder();

}  // namespace platform
