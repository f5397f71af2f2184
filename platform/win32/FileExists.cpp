#include "platform/FileName.h"
#include "platform/win32/WideText.h"

namespace platform {

bool FileExists(const QString& name) {
    // A name with a NUL character would be cut short by the system and name another file.
    if (name.isEmpty() || name.contains(QChar(0))) return false;
    return GetFileAttributesW(win32::Wide(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace platform
