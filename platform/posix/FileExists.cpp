#include <sys/stat.h>

#include "platform/FileName.h"

namespace platform {

bool FileExists(const QString& name) {
    const QByteArray bytes = EncodeFileName(name);
    // A name with a NUL byte would be cut short by the system and name another file.
    if (bytes.isEmpty() || bytes.contains('\0')) return false;
    struct stat info {};
    return ::stat(bytes.constData(), &info) == 0;
}

}  // namespace platform
