#pragma once

#include <QMargins>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "Xdo.h"

struct _XDisplay;

namespace e2e {

// What a window manager publishes about the windows it manages (the EWMH properties on
// the root window and on each client), read over a connection of its own. Every call asks
// the X server afresh, so tests can poll for a change.
class Ewmh {
  public:
    explicit Ewmh(const QString& display);
    ~Ewmh();
    Ewmh(const Ewmh&) = delete;
    Ewmh& operator=(const Ewmh&) = delete;

    bool connected() const { return display_ != nullptr; }

    // A window manager has announced itself: the root's _NET_SUPPORTING_WM_CHECK names a
    // window that names itself the same way.
    bool managerPresent();
    // _NET_WORKAREA of the first desktop.
    std::optional<QRect> workArea();
    // Managed clients from bottom to top (_NET_CLIENT_LIST_STACKING).
    std::vector<WindowId> stacking();
    // The client with the focus (_NET_ACTIVE_WINDOW), 0 for none.
    WindowId activeWindow();

    // The atom names in the window's _NET_WM_STATE, e.g. "_NET_WM_STATE_ABOVE".
    QStringList states(WindowId window);
    // _NET_FRAME_EXTENTS: the border the window manager draws around the window.
    std::optional<QMargins> frameExtents(WindowId window);
    // The window's outermost ancestor below the root, on screen: the window manager's
    // frame once the window has been reparented, else the window itself.
    std::optional<QRect> outerGeometry(WindowId window);

  private:
    std::vector<unsigned long> cardinals(unsigned long window, const char* property,
                                         unsigned long type);

    _XDisplay* display_ = nullptr;
};

}  // namespace e2e
