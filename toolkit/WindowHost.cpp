#include "toolkit/WindowHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <memory>

#include "platform/WindowManagerDrag.h"
#include "toolkit/Dpi.h"
#include "toolkit/DropFiles.h"
#include "toolkit/KeyState.h"
#include "toolkit/PaintManager.h"
#include "toolkit/WindowWnd.h"

namespace {

struct PostedMessage : QEvent {
    PostedMessage(UINT m, WPARAM w, LPARAM l)
        : QEvent(WindowHost::PostedMessageType()), msg(m), wParam(w), lParam(l) {}
    PostedMessage(UINT m, std::unique_ptr<MessagePayload> p, LPARAM l)
        : QEvent(WindowHost::PostedMessageType()),
          msg(m),
          wParam(reinterpret_cast<WPARAM>(p.get())),
          lParam(l),
          payload(std::move(p)) {}
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::unique_ptr<MessagePayload> payload;  // freed with the event, delivered or not
};

WPARAM VirtualKey(const QKeyEvent* e) {
    const int key = e->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<WPARAM>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<WPARAM>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + static_cast<WPARAM>(key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:  // Shift+Tab, as X11 reports it
            return VK_TAB;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        // A keyboard's play key toggles, whichever of the three it reports.
        case Qt::Key_MediaTogglePlayPause:
        case Qt::Key_MediaPlay:
        case Qt::Key_MediaPause:
            return VK_MEDIA_PLAY_PAUSE;
        case Qt::Key_MediaStop:
            return VK_MEDIA_STOP;
        case Qt::Key_MediaNext:
            return VK_MEDIA_NEXT_TRACK;
        case Qt::Key_MediaPrevious:
            return VK_MEDIA_PREV_TRACK;
        default:
            return 0;
    }
}

Qt::Edges EdgesFor(LRESULT hit) {
    switch (hit) {
        case HTLEFT:
            return Qt::LeftEdge;
        case HTRIGHT:
            return Qt::RightEdge;
        case HTTOP:
            return Qt::TopEdge;
        case HTBOTTOM:
            return Qt::BottomEdge;
        case HTTOPLEFT:
            return Qt::TopEdge | Qt::LeftEdge;
        case HTTOPRIGHT:
            return Qt::TopEdge | Qt::RightEdge;
        case HTBOTTOMLEFT:
            return Qt::BottomEdge | Qt::LeftEdge;
        case HTBOTTOMRIGHT:
            return Qt::BottomEdge | Qt::RightEdge;
        default:
            return {};
    }
}

Qt::CursorShape CursorFor(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool mainDiagonal = (edges & Qt::TopEdge && edges & Qt::LeftEdge) ||
                                  (edges & Qt::BottomEdge && edges & Qt::RightEdge);
        return mainDiagonal ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

// A window with an owner is the owner's dialog: window managers keep it above its owner, as
// Windows keeps an owned window above its owner. As a plain window it could open beneath an
// owner that stays on top (pinned or fullscreen), out of reach while it blocks the owner.
Qt::WindowFlags HostFlags(const QWidget* parent, bool popup) {
    const Qt::WindowType type = popup ? Qt::Popup : parent ? Qt::Dialog : Qt::Window;
    return type | Qt::FramelessWindowHint;
}

}  // namespace

QEvent::Type WindowHost::PostedMessageType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

WindowHost::WindowHost(CWindowWnd* owner, QWidget* parent, bool popup)
    : QWidget(parent, HostFlags(parent, popup)), m_owner(owner) {
    // Qt passes a press that closes a pop-up on to what lies under it on some platforms only;
    // the host does it itself (ClosePopupAndPassOn), the same everywhere.
    if (popup) setAttribute(Qt::WA_NoMouseReplay);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_dpi = CDPI::DpiOfRatio(devicePixelRatioF());
}

WindowHost::~WindowHost() = default;

LRESULT WindowHost::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!m_owner) return 0;
    ++m_dispatchDepth;
    const LRESULT result = m_owner->HandleMessage(msg, wParam, lParam);
    --m_dispatchDepth;
    return result;
}

void WindowHost::Post(UINT msg, WPARAM wParam, LPARAM lParam) {
    QCoreApplication::postEvent(this, new PostedMessage(msg, wParam, lParam));
}

void WindowHost::Post(UINT msg, std::unique_ptr<MessagePayload> payload, LPARAM lParam) {
    QCoreApplication::postEvent(this, new PostedMessage(msg, std::move(payload), lParam));
}

bool WindowHost::StartWindowTimer(UINT id, int milliseconds) {
    StopWindowTimer(id);
    const int qtId = QObject::startTimer(milliseconds);
    if (qtId == 0) return false;
    m_windowTimers.insert(qtId, id);
    return true;
}

bool WindowHost::StopWindowTimer(UINT id) {
    for (auto it = m_windowTimers.begin(); it != m_windowTimers.end(); ++it) {
        if (it.value() == id) {
            QObject::killTimer(it.key());
            m_windowTimers.erase(it);
            return true;
        }
    }
    return false;
}

bool WindowHost::IsWindowTimerActive(UINT id) const {
    for (auto it = m_windowTimers.cbegin(); it != m_windowTimers.cend(); ++it)
        if (it.value() == id) return true;
    return false;
}

void WindowHost::InvalidateRect(const QRect& logicalRect) { update(logicalRect); }

int WindowHost::StartTimer(int milliseconds) { return QObject::startTimer(milliseconds); }

void WindowHost::StopTimer(int timerId) { QObject::killTimer(timerId); }

void WindowHost::SetCursorShape(Qt::CursorShape shape) {
    if (!m_sizingCursor) setCursor(shape);
}

qreal WindowHost::DevicePixelRatio() const { return devicePixelRatioF(); }

QSize WindowHost::ClientSize() const { return size(); }

LPARAM WindowHost::ClientLParam(const QPointF& logical) const {
    const QPoint device = CDPI::ToDevice(logical, devicePixelRatioF());
    return MakePointLParam(device.x(), device.y());
}

LRESULT WindowHost::HitTest(const QPointF& globalLogical) {
    const QPoint device = CDPI::ToDevice(globalLogical, devicePixelRatioF());
    return Dispatch(WM_NCHITTEST, 0, MakePointLParam(device.x(), device.y()));
}

bool WindowHost::event(QEvent* e) {
    if (e->type() == PostedMessageType()) {
        const auto* m = static_cast<PostedMessage*>(e);
        Dispatch(m->msg, m->wParam, m->lParam);
        return true;
    }
    if (e->type() == QEvent::ScreenChangeInternal) CheckScale();
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = m_owner ? m_owner->ToolTipAt(help->pos()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

void WindowHost::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    CPaintManagerUI* pm = m_owner ? m_owner->GetPaintManager() : nullptr;
    if (pm) pm->Paint(painter, e->rect());
}

void WindowHost::BeginFrameDrag(LRESULT hit, const QPointF& globalLogical) {
    const Qt::Edges edges = EdgesFor(hit);
    if (hit == HTCAPTION) {
        if (isMaximized() || isFullScreen()) return;
    } else if (!edges) {
        return;
    }
    // Nothing moves yet: a click or a double click on the caption must stay one. Handed to
    // the window manager at once, the press would start a move that a quick release can
    // overtake, leaving the window following the pointer after the button is up, and the
    // window manager would take the second click of a double click.
    m_drag = Drag::Pending;
    m_dragEdges = edges;
    m_dragStart = globalLogical;
    m_dragStartGeometry = geometry();
}

void WindowHost::ContinueFrameDrag(const QPointF& global) {
    if (m_drag == Drag::System) return;  // the window manager has the pointer
    if (m_drag != Drag::Pending) {
        FollowPointer(global);
        return;
    }
    if ((global - m_dragStart).manhattanLength() < QApplication::startDragDistance()) return;
    // Reckoned from the press, so the window keeps the place under the pointer where it was
    // grabbed; where no window manager takes the drag, the window follows by itself.
    const QPoint press = (m_dragStart * devicePixelRatioF()).toPoint();
    if (platform::BeginWindowManagerDrag(windowHandle(), press, m_dragEdges)) {
        m_drag = Drag::System;
        return;
    }
    m_drag = m_dragEdges ? Drag::Resize : Drag::Move;
    FollowPointer(global);
}

void WindowHost::FollowPointer(const QPointF& globalLogical) {
    const QPoint delta = (globalLogical - m_dragStart).toPoint();
    if (m_drag == Drag::Move) {
        move(m_dragStartGeometry.topLeft() + delta);
        return;
    }
    QRect g = m_dragStartGeometry;
    const QSize min = minimumSize();
    if (m_dragEdges & Qt::LeftEdge)
        g.setLeft(std::min(g.left() + delta.x(), g.right() + 1 - min.width()));
    if (m_dragEdges & Qt::RightEdge)
        g.setRight(std::max(g.right() + delta.x(), g.left() + min.width() - 1));
    if (m_dragEdges & Qt::TopEdge)
        g.setTop(std::min(g.top() + delta.y(), g.bottom() + 1 - min.height()));
    if (m_dragEdges & Qt::BottomEdge)
        g.setBottom(std::max(g.bottom() + delta.y(), g.top() + min.height() - 1));
    setGeometry(g);
}

void WindowHost::ClosePopupAndPassOn(const QMouseEvent& press) {
    // Counted as dispatching so that whatever the close destroys, this widget goes only after
    // the handler has returned.
    ++m_dispatchDepth;
    const QPointF global = press.globalPosition();
    close();
    // Pop-ups opened before this one close too, down to one the press lands in.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (popup->rect().contains(popup->mapFromGlobal(global).toPoint())) break;
        popup->close();
        if (QApplication::activePopupWidget() == popup) popup->hide();
    }
    --m_dispatchDepth;
    // The press still lands where it was aimed: a click on the button that opened the menu
    // opens a fresh one, as the user expects. It is posted to the window under the pointer,
    // as if it came from the system, so that the release that follows finds its press.
    QWidget* target = QApplication::activePopupWidget();
    if (!target) target = QApplication::widgetAt(global.toPoint());
    QWidget* modal = QApplication::activeModalWidget();
    if (!target || (modal && modal != target->window() && !modal->isAncestorOf(target))) return;
    QWindow* window = nullptr;
    for (QWidget* w = target; w && !window; w = w->parentWidget()) window = w->windowHandle();
    if (!window) return;
    const QPointF local = window->mapFromGlobal(global);
    auto forwarded =
        std::make_unique<QMouseEvent>(QEvent::MouseButtonPress, local, local, global,
                                      press.button(), press.buttons(), press.modifiers());
    QCoreApplication::postEvent(window, forwarded.release());  // the queue owns it now
}

void WindowHost::mousePressEvent(QMouseEvent* e) {
    if (IsPopup() && !rect().contains(e->position().toPoint())) {
        ClosePopupAndPassOn(*e);
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    m_drag = Drag::None;  // whatever came of the last press, this one starts afresh
    const LRESULT hit = HitTest(e->globalPosition());
    if (hit == HTCLIENT) {
        Dispatch(WM_LBUTTONDOWN, 0, ClientLParam(e->position()));
        return;
    }
    BeginFrameDrag(hit, e->globalPosition());
}

void WindowHost::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const LRESULT hit = HitTest(e->globalPosition());
    if (hit == HTCAPTION) {
        // As on every desktop: a double click on the caption maximises or restores.
        Dispatch(WM_SYSCOMMAND, isMaximized() ? SC_RESTORE : SC_MAXIMIZE, 0);
        return;
    }
    if (hit != HTCLIENT) return;
    const bool wantsDouble = m_owner && (m_owner->GetClassStyle() & CS_DBLCLKS);
    Dispatch(wantsDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 0, ClientLParam(e->position()));
}

void WindowHost::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (m_drag != Drag::None) {
        // Released here, the button came up before the window manager took the pointer.
        if (m_drag == Drag::System) platform::CancelWindowManagerDrag(windowHandle());
        m_drag = Drag::None;
        return;
    }
    Dispatch(WM_LBUTTONUP, 0, ClientLParam(e->position()));
}

void WindowHost::mouseMoveEvent(QMouseEvent* e) {
    // The release may never come back from a window manager that took the pointer.
    if (m_drag != Drag::None && !(e->buttons() & Qt::LeftButton)) m_drag = Drag::None;
    if (m_drag != Drag::None) {
        ContinueFrameDrag(e->globalPosition());
        return;
    }
    if (e->buttons() == Qt::NoButton) {
        const Qt::Edges edges = EdgesFor(HitTest(e->globalPosition()));
        m_sizingCursor = edges != Qt::Edges();
        if (m_sizingCursor) setCursor(CursorFor(edges));
    }
    Dispatch(WM_MOUSEMOVE, 0, ClientLParam(e->position()));
}

void WindowHost::leaveEvent(QEvent*) {
    m_sizingCursor = false;
    Dispatch(WM_MOUSELEAVE, 0, 0);
}

void WindowHost::keyPressEvent(QKeyEvent* e) {
    const WPARAM vk = VirtualKey(e);
    if (vk == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    // Bit 30 tells a key held down (auto-repeat) from a fresh press.
    const LPARAM flags = 1 | (e->isAutoRepeat() ? (LPARAM{1} << 30) : 0);
    Qt::KeyboardModifiers modifiers = e->modifiers();
    if (e->key() == Qt::Key_Backtab) modifiers |= Qt::ShiftModifier;
    const KeyStateScope keyState(modifiers);
    Dispatch(WM_KEYDOWN, vk, flags);
}

bool WindowHost::focusNextPrevChild(bool) {
    // Tab belongs to the toolkit, which moves its own focus between the controls; Qt's focus
    // chain would take the key before keyPressEvent saw it.
    return false;
}

void WindowHost::timerEvent(QTimerEvent* e) {
    const auto it = m_windowTimers.constFind(e->timerId());
    if (it != m_windowTimers.constEnd()) {
        Dispatch(WM_TIMER, it.value(), 0);
        return;
    }
    if (CPaintManagerUI* pm = m_owner ? m_owner->GetPaintManager() : nullptr)
        pm->OnHostTimer(e->timerId());
}

void WindowHost::SendWindowPosChanged(UINT flags) {
    const QRect device = CDPI::ToDevice(QRect(x(), y(), width(), height()), devicePixelRatioF());
    WINDOWPOS pos;
    pos.x = device.x();
    pos.y = device.y();
    pos.cx = device.width();
    pos.cy = device.height();
    pos.flags = flags;
    Dispatch(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

void WindowHost::WatchScreen() {
    disconnect(m_screenDpiWatch);
    // Queued: the window's scale follows the screen's DPI once Qt has dealt with the change.
    if (QScreen* s = screen())
        m_screenDpiWatch = connect(s, &QScreen::logicalDotsPerInchChanged, this,
                                   &WindowHost::CheckScale, Qt::QueuedConnection);
}

void WindowHost::CheckScale() {
    WatchScreen();
    const qreal ratio = devicePixelRatioF();
    const int dpi = CDPI::DpiOfRatio(ratio);
    if (dpi == m_dpi) return;
    m_dpi = dpi;
    // Qt keeps the window's logical place and size, so the suggestion is where it is now.
    QRect suggested = CDPI::ToDevice(geometry(), ratio);
    Dispatch(WM_DPICHANGED, static_cast<WPARAM>(dpi) | (static_cast<WPARAM>(dpi) << 16),
             reinterpret_cast<LPARAM>(&suggested));
}

void WindowHost::moveEvent(QMoveEvent*) { SendWindowPosChanged(SWP_NOSIZE | SWP_NOZORDER); }

void WindowHost::resizeEvent(QResizeEvent*) {
    if (CPaintManagerUI* pm = m_owner ? m_owner->GetPaintManager() : nullptr) pm->NeedUpdate();
    const QSize device = CDPI::ToDevice(size(), devicePixelRatioF());
    Dispatch(WM_SIZE, 0, MakePointLParam(device.width(), device.height()));
    SendWindowPosChanged(SWP_NOMOVE | SWP_NOZORDER);
}

void WindowHost::showEvent(QShowEvent*) {
    WatchScreen();
    Dispatch(WM_SHOWWINDOW, 1, 0);
}

void WindowHost::closeEvent(QCloseEvent* e) {
    // The window decides in WM_CLOSE whether and how it goes away.
    e->ignore();
    if (m_owner) Dispatch(WM_CLOSE, 0, 0);
}

void WindowHost::hideEvent(QHideEvent*) {
    // A pop-up hidden by anyone but itself (its owner was hidden) is told, so it can close.
    if (IsPopup()) {
        Dispatch(WM_SHOWWINDOW, 0, 0);
        return;
    }
    // The pop-ups opened over a window go with it, destroyed or minimised, as owned windows
    // do on Windows; Qt leaves a child window shown when its parent hides.
    for (WindowHost* popup : findChildren<WindowHost*>(Qt::FindDirectChildrenOnly))
        if (popup->IsPopup() && popup->isVisible()) popup->hide();
}

void WindowHost::wheelEvent(QWheelEvent* e) {
    const int delta = std::clamp(e->angleDelta().y(), -32768, 32767);
    if (delta == 0) {
        e->ignore();
        return;
    }
    // As on Windows: the signed delta in the high word of wParam, the screen point in lParam.
    const QPoint g = CDPI::ToDevice(e->globalPosition(), devicePixelRatioF());
    Dispatch(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16,
             MakePointLParam(g.x(), g.y()));
    e->accept();
}

void WindowHost::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        Dispatch(WM_SIZE, isMaximized() ? 2 : isMinimized() ? 1 : 0, 0);
}

void WindowHost::dragEnterEvent(QDragEnterEvent* e) {
    if (!LocalFilesOf(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void WindowHost::dragMoveEvent(QDragMoveEvent* e) {
    if (!LocalFilesOf(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void WindowHost::dropEvent(QDropEvent* e) {
    DropFiles drop{LocalFilesOf(e->mimeData())};
    if (drop.paths.isEmpty()) return;
    e->acceptProposedAction();
    Dispatch(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
}
