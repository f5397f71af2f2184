#pragma once

#include <QString>

namespace platform {

// Creates `folder` and every missing folder above it, like mkdir -p, but what is created here
// is private to the user: the settings folder holds what they have played. Failure, including
// a folder that already exists, is left to the file operations that follow.
void CreatePrivateFolder(const QString& folder);

}  // namespace platform
