#include "toolkit/DropFiles.h"

#include <QByteArray>
#include <QMimeData>

#include "platform/FileUri.h"

QStringList LocalFilesOf(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    // The URI list's own bytes: QUrl::toLocalFile would turn the percent-encoded bytes of
    // a name that is not UTF-8 into U+FFFD, naming a file that does not exist.
    const QByteArray list = data->data(QStringLiteral("text/uri-list"));
    for (QByteArray line : list.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.startsWith('#')) continue;  // a comment
        if (const auto path = platform::LocalFileOfUri(line); path && !path->isEmpty())
            paths << *path;
    }
    return paths;
}
