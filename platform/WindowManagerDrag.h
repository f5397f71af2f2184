#pragma once

#include <QPoint>
#include <Qt>

class QWindow;

namespace platform {

// Moving and sizing a top-level window by the window manager, which then follows the
// pointer itself (with its own snapping and limits) until the button comes up.
//
// Under X11 the request names the point where the drag began, as the window manager
// reckons the move from it: a drag begun only once the pointer has moved some way (so
// that a click stays a click) still keeps the window under the pointer where it was
// grabbed. Qt's own QWindow::startSystemMove would name the last pointer position its
// window saw, which is neither that point nor, for a press passed on by a child window,
// even recent. Elsewhere Qt's own request is made.

// Asks the window manager to move `window` (`edges` empty) or to size it by `edges`, from
// `pressNative`, the press that began the drag in the window system's pixels. False when
// no window manager takes such requests; the caller then moves the window itself.
bool BeginWindowManagerDrag(QWindow* window, QPoint pressNative, Qt::Edges edges);

// Withdraws the request when the button came up before the window manager took the
// pointer; it would otherwise start a drag that no release ends, and the window would
// follow the pointer after the button is up.
void CancelWindowManagerDrag(QWindow* window);

}  // namespace platform
