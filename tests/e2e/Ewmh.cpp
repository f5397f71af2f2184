#include "Ewmh.h"

// Last: Xlib's macros (Status, Bool, None) clash with Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace e2e {

namespace {

// Windows vanish while being looked at; a BadWindow from such a race is expected.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

Ewmh::Ewmh(const QString& display) {
    XSetErrorHandler(ignoreXErrors);
    display_ = XOpenDisplay(display.toLocal8Bit().constData());
}

Ewmh::~Ewmh() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

std::vector<unsigned long> Ewmh::cardinals(unsigned long window, const char* property,
                                           unsigned long type) {
    std::vector<unsigned long> values;
    if (display_ == nullptr) return values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display_, property, False);
    if (XGetWindowProperty(display_, window, atom, 0, 4096, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && actualType == type && format == 32) {
        // Format 32 comes as longs, whatever the size of a long.
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr) XFree(data);
    return values;
}

bool Ewmh::managerPresent() {
    if (display_ == nullptr) return false;
    const auto root = cardinals(DefaultRootWindow(display_), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (root.size() != 1) return false;
    const auto self = cardinals(root.front(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return self.size() == 1 && self.front() == root.front();
}

std::optional<QRect> Ewmh::workArea() {
    if (display_ == nullptr) return std::nullopt;
    const auto area = cardinals(DefaultRootWindow(display_), "_NET_WORKAREA", XA_CARDINAL);
    if (area.size() < 4) return std::nullopt;
    return QRect(static_cast<int>(area[0]), static_cast<int>(area[1]), static_cast<int>(area[2]),
                 static_cast<int>(area[3]));
}

std::vector<WindowId> Ewmh::stacking() {
    if (display_ == nullptr) return {};
    const auto clients =
        cardinals(DefaultRootWindow(display_), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
    return {clients.begin(), clients.end()};
}

WindowId Ewmh::activeWindow() {
    if (display_ == nullptr) return 0;
    const auto active = cardinals(DefaultRootWindow(display_), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.size() == 1 ? active.front() : 0;
}

QStringList Ewmh::states(WindowId window) {
    QStringList names;
    for (const unsigned long atom : cardinals(window, "_NET_WM_STATE", XA_ATOM)) {
        if (char* name = XGetAtomName(display_, atom)) {
            names << QString::fromLatin1(name);
            XFree(name);
        }
    }
    return names;
}

std::optional<QMargins> Ewmh::frameExtents(WindowId window) {
    const auto extents = cardinals(window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (extents.size() != 4) return std::nullopt;
    // left, right, top, bottom
    return QMargins(static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                    static_cast<int>(extents[1]), static_cast<int>(extents[3]));
}

std::optional<QRect> Ewmh::outerGeometry(WindowId window) {
    if (display_ == nullptr) return std::nullopt;
    Window outer = window;
    for (;;) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display_, outer, &root, &parent, &children, &count) == 0) {
            return std::nullopt;
        }
        if (children != nullptr) XFree(children);
        if (parent == root || parent == None) break;
        outer = parent;
    }
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, outer, &attributes) == 0) return std::nullopt;
    // A top-level window's position is its place on the root, the border outside it.
    return QRect(attributes.x, attributes.y, attributes.width + 2 * attributes.border_width,
                 attributes.height + 2 * attributes.border_width);
}

}  // namespace e2e
