#pragma once
// What a paint manager needs from the window that shows it. The window host implements it;
// tests implement it to drive a layout without a window.

#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

class PaintHost {
  public:
    virtual ~PaintHost() = default;
    virtual void InvalidateRect(const QRect& logicalRect) = 0;
    // A repeating timer; returns its id, later passed to CPaintManagerUI::OnHostTimer.
    virtual int StartTimer(int milliseconds) = 0;
    virtual void StopTimer(int timerId) = 0;
    virtual void SetCursorShape(Qt::CursorShape shape) = 0;
    virtual qreal DevicePixelRatio() const = 0;
    virtual QSize ClientSize() const = 0;  // logical pixels
};
