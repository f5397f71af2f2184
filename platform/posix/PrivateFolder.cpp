#include "platform/PrivateFolder.h"

#include <sys/stat.h>

#include <QFile>

namespace platform {

void CreatePrivateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    for (qsizetype end = path.indexOf('/', 1); end >= 0; end = path.indexOf('/', end + 1)) {
        ::mkdir(path.left(end).constData(), 0700);
    }
    ::mkdir(path.constData(), 0700);
}

}  // namespace platform
