#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

#include "HelperProcess.h"

namespace e2e {

// The drag source (DragSource.cpp) on a test's display: another program's window to drag
// files from, as a user drags them out of a file manager. Its verdict on each drag comes
// on standard output; what Qt says goes to the log.
class DragSourceProcess : public HelperProcess {
  public:
    // `runtimeDir` is the player's, which this Qt program may share.
    DragSourceProcess(QString display, QString runtimeDir, QString logFile);

    // Starts it with its window at `where` on the screen, dragging `files`; false with
    // `error` set if it did not start.
    bool start(QPoint where, const QStringList& files, QString* error);
    // Where a press starts the drag: the middle of its 160x80 window.
    QPoint grip() const { return where_ + QPoint(80, 40); }
    // How the drag ended, which the source prints once the target has answered the drop:
    // "copied" when the target took it. Nothing if it said nothing within `bound`.
    std::optional<QString> awaitVerdict(std::chrono::milliseconds bound);

  private:
    QString display_;
    QString runtimeDir_;
    QPoint where_;
};

}  // namespace e2e
