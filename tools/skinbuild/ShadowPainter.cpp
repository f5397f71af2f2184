#include "ShadowPainter.h"

#include <algorithm>
#include <cmath>

ShadowPainter::ShadowPainter(int size, int spread, double opacity)
    : m_size(size), m_spread(spread), m_opacity(std::clamp(opacity, 0.0, 1.0)) {}

QImage ShadowPainter::Paint() const {
    QImage image(m_size, m_size, QImage::Format_ARGB32);
    const double near = m_spread;
    const double far = m_size - m_spread;
    for (int y = 0; y < m_size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < m_size; ++x) {
            // Distance from the pixel centre to the window rectangle; corners come out round.
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double dx = std::max({near - px, 0.0, px - far});
            const double dy = std::max({near - py, 0.0, py - far});
            const double alpha = AlphaAt(std::hypot(dx, dy));
            line[x] = qRgba(0, 0, 0, int(std::lround(alpha * 255)));
        }
    }
    return image;
}

double ShadowPainter::AlphaAt(double distance) const {
    if (m_spread <= 0) return distance > 0 ? 0.0 : m_opacity;
    const double t = std::clamp(distance / m_spread, 0.0, 1.0);
    // A quadratic fall reads as a soft blur and reaches exactly zero at the image edge, so
    // nothing is cut off where the shadow ends.
    const double remaining = 1.0 - t;
    return m_opacity * remaining * remaining;
}
