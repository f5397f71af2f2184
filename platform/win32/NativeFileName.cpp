#include <QDir>

#include "platform/FileName.h"

namespace platform {

QString NativeFileName(const QString& name) { return QDir::toNativeSeparators(name); }

}  // namespace platform
