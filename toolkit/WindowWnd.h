#pragma once
// CWindowWnd: a top-level window of the program, reached through window messages. The native
// window is a frameless Qt widget (the host) that turns Qt events into messages and hands them
// to HandleMessage; what the message does not settle falls to the default processing here.

#include <QPointer>
#include <QRect>
#include <QString>
#include <climits>
#include <memory>

#include "toolkit/MessagePayload.h"
#include "toolkit/WindowMessages.h"

class QWidget;
class QPainter;
class QEventLoop;
class WindowHost;
class CPaintManagerUI;

inline constexpr int CW_USEDEFAULT = INT_MIN;
inline constexpr UINT WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr UINT WS_VISIBLE = 0x10000000;
inline constexpr UINT WS_CHILD = 0x40000000;
inline constexpr UINT WS_POPUP = 0x80000000;
// A tool window is a pop-up menu's window: above its owner, holding mouse and keyboard while
// open, closed by a press outside it.
inline constexpr UINT WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr UINT IDOK = 1;
inline constexpr UINT IDI_APPLICATION_ICON = 101;

class CWindowWnd {
  public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    // The native window, null before Create and after destruction.
    QWidget* GetHWND() const;
    bool IsWindow() const { return GetHWND() != nullptr && !m_destroyed; }

    // Style and position are accepted in their Windows form; every window here is frameless
    // and drawn by its layout. A parent keeps the window above it.
    bool Create(CWindowWnd* parent, const QString& name, UINT style, UINT exStyle,
                int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT,
                int cy = CW_USEDEFAULT);
    void CenterWindow();
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Runs a nested loop, with the parent disabled, until the window is destroyed; returns the
    // value given to Close.
    UINT ShowModal();
    void Close(UINT result = IDOK);
    void SetIcon(UINT resourceId);
    void SetWindowText(const QString& text);
    // Lets local files be dropped on the window (WM_DROPFILES).
    void DragAcceptFiles(bool accept);
    QString GetWindowText() const;

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Safe from any thread; dropped if the window is gone by delivery.
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Posts with data owned by the message: wParam points to it during delivery.
    bool PostMessage(UINT msg, std::unique_ptr<MessagePayload> payload, LPARAM lParam = 0);
    static void PostQuitMessage(int exitCode);
    // The window whose layout a paint manager draws, or null (a manager without a window).
    static CWindowWnd* FromPaintManager(const CPaintManagerUI* manager);

    // Window timers, delivered as WM_TIMER with the program's id.
    bool SetTimer(UINT id, UINT milliseconds);
    bool KillTimer(UINT id);
    bool IsTimerActive(UINT id) const;

    // Geometry in physical pixels, as the window messages carry it.
    QRect GetWindowRect() const;
    QRect GetClientRect() const;
    QPoint ScreenToClient(const QPoint& screen) const;
    QPoint ClientToScreen(const QPoint& client) const;
    qreal DevicePixelRatio() const;
    // Moves and sizes the window (physical pixels), without changing its stacking.
    void SetWindowPos(const QRect& rect);
    // Keeps the window above others, without recreating its native window (child windows
    // that other libraries draw into must survive).
    void SetTopMost(bool topMost);
    bool IsTopMost() const;
    // The work area and the whole area of the screen nearest the window (physical pixels).
    QRect MonitorWorkArea() const;
    QRect MonitorRect() const;
    bool IsZoomed() const;
    // The rectangle the window has when it is neither maximised nor minimised (physical
    // pixels): while maximised, the one that restoring brings back.
    QRect GetNormalRect() const;
    // Shows the window maximised or in its normal state.
    void SetZoomed(bool zoomed);
    bool IsIconic() const;

    void DestroyWindow();

    virtual QString GetWindowClassName() const = 0;
    virtual UINT GetClassStyle() const { return 0; }
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(QWidget* hWnd);

    // Hooks for the host.
    virtual CPaintManagerUI* GetPaintManager() { return nullptr; }
    virtual QString ToolTipAt(const QPoint& logicalClientPoint);

  protected:
    // Null once the widget is gone, whoever deleted it.
    WindowHost* Host() const { return m_hostGuard ? m_hostWidget : nullptr; }

  private:
    WindowHost* PostTarget() const;

    WindowHost* m_hostWidget = nullptr;
    QPointer<QObject> m_hostGuard;
    CWindowWnd* m_parent = nullptr;
    QEventLoop* m_modalLoop = nullptr;
    UINT m_modalResult = 0;
    bool m_destroyed = false;
};
