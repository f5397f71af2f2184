#include "platform/FileName.h"

namespace platform {

QString NativeFileName(const QString& name) { return name; }

}  // namespace platform
