#include "toolkit/DropFiles.h"

#include <QMimeData>
#include <QUrl>

QStringList LocalFilesOf(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths << url.toLocalFile();
    }
    return paths;
}
