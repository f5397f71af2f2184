#pragma once
// HoverLabelWnd: a small native child window that shows one label control of the main window
// above the engine's video window, which would cover the label where the main window itself
// draws it. It paints the control with a 1-pixel border and leaves the mouse to the main
// window.

#include <QColor>

#include "toolkit/NativeChildWnd.h"

class CControlUI;

class HoverLabelWnd : public CNativeChildWnd {
  public:
    // The control painted, in the main window's logical coordinates, and its border's colour.
    void SetControl(CControlUI* control, const QColor& borderColor);
    // Moves the window over the control's rectangle and shows it, or hides it.
    void Follow(bool show);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(QPainter& painter, const QRect& dirty) override;

  private:
    CControlUI* m_pControl = nullptr;
    QColor m_borderColor;
};
