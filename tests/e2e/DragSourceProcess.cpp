#include "DragSourceProcess.h"

#include <utility>

#include "ReadLine.h"

namespace e2e {

DragSourceProcess::DragSourceProcess(QString display, QString runtimeDir, QString logFile)
    : HelperProcess(std::move(logFile)),
      display_(std::move(display)),
      runtimeDir_(std::move(runtimeDir)) {}

bool DragSourceProcess::start(QPoint where, const QStringList& files, QString* error) {
    where_ = where;
    QProcessEnvironment env = onDisplay(display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_);
    return launch(QStringLiteral(MOVIRA_DRAG_SOURCE),
                  QStringList{QString::number(where.x()), QString::number(where.y())} + files, env,
                  std::chrono::seconds(10), error, Output::Read);
}

std::optional<QString> DragSourceProcess::awaitVerdict(std::chrono::milliseconds bound) {
    return ReadLine(process_, bound);
}

}  // namespace e2e
