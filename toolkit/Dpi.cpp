#include "toolkit/Dpi.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

int CDPI::GetMainMonitorDPI() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96;
    return static_cast<int>(std::lround(screen->devicePixelRatio() * 96.0));
}
