#pragma once

#include <QRect>
#include <QSize>
#include <ostream>

// The desktops a journey can run on, for tests that run on more than one: the bare X
// server, where the player places, moves and sizes its window alone, and openbox, which
// manages it and keeps a task bar's band at the bottom of the screen out of its work area.
namespace e2e {

struct Desktop {
    const char* name;
    bool windowManager;
    int reservedBottom;  // pixels kept out of the work area
};

inline constexpr Desktop kBare{"Bare", false, 0};
inline constexpr Desktop kOpenbox{"Openbox", true, 40};
// Openbox where nothing reserves any of the screen, which is all work area as on kBare.
inline constexpr Desktop kOpenboxWithoutTaskBar{"OpenboxWithoutTaskBar", true, 0};

// Failure messages and test names name the desktop.
inline void PrintTo(const Desktop& desktop, std::ostream* os) { *os << desktop.name; }

// Where a window of `size` stands when centred on `area`, as the player centres a new or a
// fitted window on its work area.
inline QRect centredIn(const QRect& area, QSize size) {
    return {area.left() + (area.width() - size.width()) / 2,
            area.top() + (area.height() - size.height()) / 2, size.width(), size.height()};
}

}  // namespace e2e
