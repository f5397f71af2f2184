#pragma once

#include <QString>

namespace platform {

// The absolute folder of the running executable, ending in '/'. Works before the
// QApplication exists.
QString ExecutableFolder();

}  // namespace platform
