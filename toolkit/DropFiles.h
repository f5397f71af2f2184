#pragma once
// The files of one drop, handed to a window in WM_DROPFILES (wParam points to it for the
// duration of the message).

#include <QString>
#include <QStringList>

#include "toolkit/WindowMessages.h"

class QMimeData;

struct DropFiles {
    QStringList paths;  // local files, in the order they were dropped
};

// The local files a drag carries, in order; empty when it carries none.
QStringList LocalFilesOf(const QMimeData* data);

// The dropped file at `index`, whole however long its path; empty when there is none.
inline QString DragQueryFile(WPARAM hDrop, int index) {
    const auto* drop = reinterpret_cast<const DropFiles*>(hDrop);
    if (!drop || index < 0 || index >= drop->paths.size()) return {};
    return drop->paths.at(index);
}
// Kept for the shape of the drop protocol: the drop belongs to the sender, nothing to free.
inline void DragFinish(WPARAM) {}
