#pragma once
// CDPI: the DPI the program lays itself out for (the primary screen's scale times 96), and the
// conversions between Qt's logical pixels and the device pixels that window messages carry.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

class CDPI {
  public:
    static int GetMainMonitorDPI();
    // The DPI a device pixel ratio stands for (96 at 1.0), to the nearest whole number.
    static int DpiOfRatio(qreal ratio);

    // Every conversion rounds the exact product or quotient down (floor), in both directions.
    // For non-negative values that is what truncation gives, so nothing moves on a screen at
    // the origin; truncation rounds negative values towards zero, which on a monitor left of
    // or above the primary one puts a point a pixel right of or below where it is and sends
    // points either side of 0 to the same pixel. Rectangles convert origin and size, each by
    // that rule, not their edges: a window's size then does not change by a pixel as it moves
    // at a fractional scale, and sizes stay what they were.
    static int ToDevice(qreal logical, qreal ratio);
    static QPoint ToDevice(const QPointF& logical, qreal ratio);
    static QSize ToDevice(const QSize& logical, qreal ratio);
    static QRect ToDevice(const QRect& logical, qreal ratio);
    static int ToLogical(int device, qreal ratio);
    static QPoint ToLogical(const QPoint& device, qreal ratio);
    static QSize ToLogical(const QSize& device, qreal ratio);
    static QRect ToLogical(const QRect& device, qreal ratio);

    // The same rule for what the window states at its DPI scale, the system's at start-up and
    // the new screen's after a scale change (its video margins, control-bar band and
    // remembered corner): that scale is a float, and the product or quotient is formed in
    // single precision, as the window always has, so that 30 x (160 / 96) stays 50 rather
    // than 49.
    static int ToDeviceAtSystemScale(int logical, float scale);
    static int ToLogicalAtSystemScale(int device, float scale);

    // The smallest device size that converts back (by the rule above) to at least `logical`:
    // what a window needs to show all of a logical extent. Rounded down instead, the size
    // would come back a logical pixel short at a fractional scale and cut off the last one.
    static QSize DeviceSizeHolding(const QSize& logical, qreal ratio);
};
