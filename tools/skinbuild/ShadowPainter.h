#pragma once
// Generates the window shadow: a square image whose border holds a soft dark falloff and
// whose inner square lies under the window. The toolkit draws it as a nine-patch, so the
// falloff must be the same along every straight edge and fit inside the corner cells.

#include <QImage>

class ShadowPainter {
  public:
    // size: the image's width and height; spread: the width of the falloff outside the
    // window; opacity: the darkness right at the window's edge (0..1).
    ShadowPainter(int size, int spread, double opacity);

    QImage Paint() const;

  private:
    // Darkness at a point `distance` pixels outside the window's edge.
    double AlphaAt(double distance) const;

    int m_size;
    int m_spread;
    double m_opacity;
};
