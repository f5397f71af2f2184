#include "toolkit/Dpi.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
int Floor(qreal value) { return static_cast<int>(std::floor(value)); }
int Ceil(qreal value) { return static_cast<int>(std::ceil(value)); }
}  // namespace

int CDPI::GetMainMonitorDPI() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? DpiOfRatio(screen->devicePixelRatio()) : 96;
}

int CDPI::DpiOfRatio(qreal ratio) { return static_cast<int>(std::lround(ratio * 96.0)); }

int CDPI::ToDevice(qreal logical, qreal ratio) { return Floor(logical * ratio); }

QPoint CDPI::ToDevice(const QPointF& logical, qreal ratio) {
    return QPoint(ToDevice(logical.x(), ratio), ToDevice(logical.y(), ratio));
}

QSize CDPI::ToDevice(const QSize& logical, qreal ratio) {
    return QSize(ToDevice(logical.width(), ratio), ToDevice(logical.height(), ratio));
}

QRect CDPI::ToDevice(const QRect& logical, qreal ratio) {
    return QRect(ToDevice(logical.topLeft(), ratio), ToDevice(logical.size(), ratio));
}

int CDPI::ToLogical(int device, qreal ratio) { return Floor(device / ratio); }

QPoint CDPI::ToLogical(const QPoint& device, qreal ratio) {
    return QPoint(ToLogical(device.x(), ratio), ToLogical(device.y(), ratio));
}

QSize CDPI::ToLogical(const QSize& device, qreal ratio) {
    return QSize(ToLogical(device.width(), ratio), ToLogical(device.height(), ratio));
}

QRect CDPI::ToLogical(const QRect& device, qreal ratio) {
    return QRect(ToLogical(device.topLeft(), ratio), ToLogical(device.size(), ratio));
}

int CDPI::ToDeviceAtSystemScale(int logical, float scale) {
    return static_cast<int>(std::floor(static_cast<float>(logical) * scale));
}

int CDPI::ToLogicalAtSystemScale(int device, float scale) {
    return static_cast<int>(std::floor(static_cast<float>(device) / scale));
}

QSize CDPI::DeviceSizeHolding(const QSize& logical, qreal ratio) {
    return QSize(Ceil(logical.width() * ratio), Ceil(logical.height() * ratio));
}
