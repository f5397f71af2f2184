#pragma once
// A paint host without a window: records invalidations and timers so that tests drive the
// toolkit's clock by hand.

#include <map>

#include "toolkit/PaintHost.h"

class FakePaintHost : public PaintHost {
  public:
    explicit FakePaintHost(QSize size = QSize(800, 600)) : m_size(size) {}

    void InvalidateRect(const QRect& rc) override { invalidated |= rc; }
    int StartTimer(int ms) override {
        timers[++m_lastId] = ms;
        return m_lastId;
    }
    void StopTimer(int id) override { timers.erase(id); }
    void SetCursorShape(Qt::CursorShape shape) override { cursor = shape; }
    qreal DevicePixelRatio() const override { return ratio; }
    QSize ClientSize() const override { return m_size; }
    void Resize(QSize size) { m_size = size; }

    QRect invalidated;
    std::map<int, int> timers;  // id -> interval
    Qt::CursorShape cursor = Qt::ArrowCursor;
    qreal ratio = 1.0;

  private:
    QSize m_size;
    int m_lastId = 0;
};
