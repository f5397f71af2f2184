#include "toolkit/WindowImplBase.h"

#include <QDebug>
#include <QWidget>

#include "toolkit/DialogBuilder.h"
#include "toolkit/Dpi.h"
#include "toolkit/UIControl.h"
#include "toolkit/WindowHost.h"

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() { m_pm.RemoveNotifier(this); }

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // The focused control answers its keys before the window does, as a dialog's control
    // does on Windows; what it leaves goes on below.
    if (m_pm.PreMessageHandler(msg, wParam, lParam, result)) return result;
    bool handled = true;
    switch (msg) {
        case WM_CREATE:
            result = OnCreate(msg, wParam, lParam, handled);
            break;
        case WM_CLOSE:
            result = OnClose(msg, wParam, lParam, handled);
            break;
        case WM_DESTROY:
            result = OnDestroy(msg, wParam, lParam, handled);
            break;
        case WM_NCHITTEST:
            result = OnNcHitTest(msg, wParam, lParam, handled);
            break;
        case WM_SIZE:
            result = OnSize(msg, wParam, lParam, handled);
            break;
        case WM_SYSCOMMAND:
            result = OnSysCommand(msg, wParam, lParam, handled);
            break;
        case WM_KEYDOWN:
            result = OnKeyDown(msg, wParam, lParam, handled);
            break;
        case WM_MOUSEMOVE:
            result = OnMouseMove(msg, wParam, lParam, handled);
            break;
        case WM_LBUTTONDOWN:
            result = OnLButtonDown(msg, wParam, lParam, handled);
            break;
        case WM_LBUTTONUP:
            result = OnLButtonUp(msg, wParam, lParam, handled);
            break;
        default:
            handled = false;
            break;
    }
    if (handled) return result;
    result = HandleCustomMessage(msg, wParam, lParam, handled);
    if (handled) return result;
    if (m_pm.MessageHandler(msg, wParam, lParam, result)) return result;
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& handled) {
    handled = true;
    QWidget* hwnd = GetHWND();
    m_pm.Init(static_cast<WindowHost*>(hwnd));
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root = builder.Create(GetSkinFile(), &m_pm);
    m_buildErrors = builder.GetErrors();
    for (const QString& e : m_buildErrors) qWarning().noquote() << e;
    if (!root) return -1;
    m_pm.AttachDialog(std::move(root));
    m_pm.AddNotifier(this);
    const WindowAttributes& w = m_pm.GetWindowAttributes();
    if (!w.minInfo.isEmpty()) hwnd->setMinimumSize(w.minInfo);
    if (!w.initSize.isEmpty()) hwnd->resize(w.initSize.expandedTo(hwnd->minimumSize()));
    InitWindow();
    return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

QPoint WindowImplBase::ToLogical(const QPoint& physicalClient) const {
    return CDPI::ToLogical(physicalClient, DevicePixelRatio());
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& handled) {
    handled = true;
    const QPoint pt = ScreenToClient(QPoint(PointLParamX(lParam), PointLParamY(lParam)));
    const QRect client = GetClientRect();
    const qreal r = DevicePixelRatio();
    const WindowAttributes& w = m_pm.GetWindowAttributes();
    if (!IsZoomed()) {
        const QMargins box = SizingBorders();
        const bool top = pt.y() < client.top() + box.top();
        const bool bottom = pt.y() >= client.bottom() + 1 - box.bottom();
        const bool left = pt.x() < client.left() + box.left();
        const bool right = pt.x() >= client.right() + 1 - box.right();
        if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    const QPoint logical = ToLogical(pt);
    const QRect caption(
        QPoint(w.caption.left(), w.caption.top()),
        QPoint(CDPI::ToLogical(client.width(), r) - w.caption.right() - 1, w.caption.bottom() - 1));
    if (caption.contains(logical)) {
        CControlUI* control = m_pm.FindControl(logical);
        if (!control || !control->IsInteractive()) return HTCAPTION;
    }
    return HTCLIENT;
}

QMargins WindowImplBase::SizingBorders() const {
    const qreal r = DevicePixelRatio();
    const QMargins& box = m_pm.GetWindowAttributes().sizeBox;
    return {CDPI::ToDevice(box.left(), r), CDPI::ToDevice(box.top(), r),
            CDPI::ToDevice(box.right(), r), CDPI::ToDevice(box.bottom(), r)};
}

void WindowImplBase::SyncMaxRestoreButtons() {
    CControlUI* maxBtn = m_pm.FindControl(QStringLiteral("maxbtn"));
    CControlUI* restoreBtn = m_pm.FindControl(QStringLiteral("restorebtn"));
    if (!maxBtn || !restoreBtn) return;
    const bool zoomed = IsZoomed();
    maxBtn->SetVisible(!zoomed);
    restoreBtn->SetVisible(zoomed);
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    SyncMaxRestoreButtons();
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    const LRESULT result = CWindowWnd::HandleMessage(msg, wParam, lParam);
    SyncMaxRestoreButtons();
    return result;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

QString WindowImplBase::ToolTipAt(const QPoint& logicalClientPoint) {
    CControlUI* control = m_pm.FindControl(logicalClientPoint);
    return control ? control->GetToolTip() : QString();
}
