#include "toolkit/MenuPlacement.h"

#include <algorithm>

namespace {

// Moves [start, start + length) inside [low, high), keeping its length; a span longer than the
// room has been cut to it before.
int ShiftInside(int start, int length, int low, int high) {
    return std::clamp(start, low, std::max(low, high - length));
}

}  // namespace

QRect PlaceMenu(QSize size, QPoint anchor, DWORD alignment, const QRect& workArea) {
    int width = std::max(0, size.width());
    int height = std::max(0, size.height());
    const bool fit = workArea.isValid();
    if (fit) {
        width = std::min(width, workArea.width());
        height = std::min(height, workArea.height());
    }
    // The anchor is the exclusive edge when the menu opens leftwards or upwards, so that a
    // menu opened at a button's corner ends right beside the button, not over its first row.
    int x = (alignment & kMenuAlignRight) ? anchor.x() - width : anchor.x();
    int y = (alignment & kMenuAlignBottom) ? anchor.y() - height : anchor.y();
    if (fit) {
        x = ShiftInside(x, width, workArea.left(), workArea.left() + workArea.width());
        y = ShiftInside(y, height, workArea.top(), workArea.top() + workArea.height());
    }
    return QRect(x, y, width, height);
}
