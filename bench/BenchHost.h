#pragma once
// A paint host without a window, of a fixed size: what a paint manager needs to lay out and
// paint a layout into an image. Invalidations and timers are dropped; nothing here runs an
// event loop.

#include "toolkit/PaintHost.h"

class BenchHost : public PaintHost {
  public:
    explicit BenchHost(QSize size) : m_size(size) {}

    void InvalidateRect(const QRect&) override {}
    int StartTimer(int) override { return ++m_lastTimer; }
    void StopTimer(int) override {}
    void SetCursorShape(Qt::CursorShape) override {}
    qreal DevicePixelRatio() const override { return 1.0; }
    QSize ClientSize() const override { return m_size; }

  private:
    QSize m_size;
    int m_lastTimer = 0;
};
