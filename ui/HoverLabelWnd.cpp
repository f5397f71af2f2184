#include "ui/HoverLabelWnd.h"

#include <QPainter>

#include "toolkit/Dpi.h"
#include "toolkit/UIControl.h"
#include "toolkit/WindowWnd.h"

void HoverLabelWnd::SetControl(CControlUI* control, const QColor& borderColor) {
    m_pControl = control;
    m_borderColor = borderColor;
}

void HoverLabelWnd::Follow(bool show) {
    if (!IsWindow()) return;
    if (!show || !m_pControl || !GetParent() || m_pControl->GetPos().isEmpty()) {
        if (IsWindowVisible()) ShowWindow(false);
        return;
    }
    MoveWindow(CDPI::ToDevice(m_pControl->GetPos(), GetParent()->DevicePixelRatio()), true);
    if (!IsWindowVisible()) ShowWindow(true);
}

LRESULT HoverLabelWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The label never takes the mouse: what lies under it is the main window's.
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return CNativeChildWnd::WindowProc(msg, wParam, lParam);
}

void HoverLabelWnd::Paint(QPainter& painter, const QRect& dirty) {
    if (!m_pControl) {
        CNativeChildWnd::Paint(painter, dirty);
        return;
    }
    const QRect rc = m_pControl->GetPos();
    painter.save();
    painter.translate(-rc.topLeft());
    m_pControl->DoPaint(painter, rc);
    painter.restore();
    painter.setPen(m_borderColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), rc.size()).adjusted(0, 0, -1, -1));
}
