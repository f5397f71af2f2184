#include "platform/WindowManagerDrag.h"

#include <QWindow>

namespace platform {

// Windows moves and sizes the window itself from where the pointer is (Qt sends it the
// caption or border hit for the button that is down); nothing is left to withdraw.
bool BeginWindowManagerDrag(QWindow* window, QPoint, Qt::Edges edges) {
    if (!window) return false;
    return edges ? window->startSystemResize(edges) : window->startSystemMove();
}

void CancelWindowManagerDrag(QWindow*) {}

}  // namespace platform
