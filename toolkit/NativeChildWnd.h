#pragma once
// CNativeChildWnd: a plain native child window inside a CWindowWnd, for content that another
// library draws by itself (the engine's video). Its messages go to WindowProc, which a
// subclass overrides as a window procedure; where it answers a hit test with HTTRANSPARENT,
// the mouse goes on to the parent window, so the parent's caption and borders work across it.

#include <QPointer>
#include <QRect>
#include <cstdint>

#include "toolkit/WindowMessages.h"

class QPainter;
class QWidget;
class CWindowWnd;
class ChildWindowHost;

class CNativeChildWnd {
  public:
    CNativeChildWnd();
    virtual ~CNativeChildWnd();
    CNativeChildWnd(const CNativeChildWnd&) = delete;
    CNativeChildWnd& operator=(const CNativeChildWnd&) = delete;

    // Creates the child at `rect` (physical client pixels of the parent), visible.
    bool Create(CWindowWnd& parent, const QRect& rect);
    QWidget* GetHWND() const;
    bool IsWindow() const { return GetHWND() != nullptr; }
    // The native window system's id, which other libraries draw into.
    std::int64_t GetNativeId() const;
    CWindowWnd* GetParent() const { return m_parent; }
    QRect GetClientRect() const;  // physical pixels
    QRect GetRect() const;        // physical pixels, in the parent's client area
    void MoveWindow(const QRect& rect, bool repaint);
    void ShowWindow(bool show);
    bool IsWindowVisible() const;
    void DragAcceptFiles(bool accept);
    void Destroy();

    // The window procedure. The default does what a plain window does: client everywhere,
    // nothing else.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Paints `dirty` (logical pixels of the child). The default is black, until another
    // library's drawing covers it.
    virtual void Paint(QPainter& painter, const QRect& dirty);

  private:
    QPointer<QWidget> m_host;
    CWindowWnd* m_parent = nullptr;
};
