#pragma once
// WindowHost: the frameless Qt widget behind a CWindowWnd. It turns Qt's events into the
// window messages of the toolkit, moves and sizes the window for its caption and borders
// (through the window manager when it can, by itself when it cannot), and paints through the
// owner's paint manager. When the window comes to a screen of another scale, or its screen's
// scale changes, it tells the owner with WM_DPICHANGED: the new DPI in both words of wParam
// and, in lParam, a QRect* with the window's client rectangle in device pixels at that scale.

#include <QEvent>
#include <QHash>
#include <QMetaObject>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include "toolkit/MessagePayload.h"
#include "toolkit/PaintHost.h"
#include "toolkit/WindowMessages.h"

class CWindowWnd;

class WindowHost : public QWidget, public PaintHost {
    Q_OBJECT
  public:
    // A pop-up host is a Qt::Popup: it takes the mouse and keyboard while shown and closes on
    // a press outside it.
    WindowHost(CWindowWnd* owner, QWidget* parent, bool popup = false);
    ~WindowHost() override;

    void Detach() { m_owner = nullptr; }
    CWindowWnd* Owner() const { return m_owner; }
    bool IsDispatching() const { return m_dispatchDepth > 0; }

    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Thread-safe: Qt queues the event for the UI thread.
    void Post(UINT msg, WPARAM wParam, LPARAM lParam);
    void Post(UINT msg, std::unique_ptr<MessagePayload> payload, LPARAM lParam);
    bool StartWindowTimer(UINT id, int milliseconds);
    bool StopWindowTimer(UINT id);
    bool IsWindowTimerActive(UINT id) const;

    // PaintHost
    void InvalidateRect(const QRect& logicalRect) override;
    int StartTimer(int milliseconds) override;
    void StopTimer(int timerId) override;
    void SetCursorShape(Qt::CursorShape shape) override;
    qreal DevicePixelRatio() const override;
    QSize ClientSize() const override;

    static QEvent::Type PostedMessageType();

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void timerEvent(QTimerEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void changeEvent(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    // A press on the caption or a border is Pending until the pointer moves far enough with
    // the button held; then the window follows the pointer, by itself (Move, Resize) or
    // with the window manager doing it (System).
    enum class Drag { None, Pending, Move, Resize, System };

    LPARAM ClientLParam(const QPointF& logical) const;
    LRESULT HitTest(const QPointF& globalLogical);
    void BeginFrameDrag(LRESULT hit, const QPointF& globalLogical);
    void ContinueFrameDrag(const QPointF& globalLogical);
    void FollowPointer(const QPointF& globalLogical);
    void SendWindowPosChanged(UINT flags);
    // Follows the screen the window is on, and tells the owner when the scale differs from
    // the one last told (at first, the scale the window was made at).
    void WatchScreen();
    void CheckScale();
    bool IsPopup() const { return windowType() == Qt::Popup; }
    void ClosePopupAndPassOn(const QMouseEvent& press);

    CWindowWnd* m_owner;
    QHash<int, UINT> m_windowTimers;  // Qt timer id -> the program's timer id
    int m_dispatchDepth = 0;
    Drag m_drag = Drag::None;
    Qt::Edges m_dragEdges;
    QPointF m_dragStart;
    QRect m_dragStartGeometry;
    bool m_sizingCursor = false;
    int m_dpi = 0;
    QMetaObject::Connection m_screenDpiWatch;
};
