#pragma once

#include <QString>

namespace platform {

// The user's pictures folder, where screenshots go. On Linux $XDG_PICTURES_DIR when it names
// an absolute path, else the desktop's pictures folder from user-dirs.dirs, else
// $HOME/Pictures. On Windows the Pictures known folder, else %USERPROFILE%\Pictures. The
// result is a cleaned absolute path with forward slashes. Nothing is created here.
QString PicturesFolder();

}  // namespace platform
