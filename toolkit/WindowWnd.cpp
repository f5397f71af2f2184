#include "toolkit/WindowWnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <utility>

#include "toolkit/Dpi.h"
#include "toolkit/PaintManager.h"
#include "toolkit/WindowHost.h"

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
    if (WindowHost* host = Host()) {
        host->Detach();
        // Deleting the widget inside one of its own event handlers would pull the floor away.
        if (host->IsDispatching())
            host->deleteLater();
        else
            delete host;
    }
}

QWidget* CWindowWnd::GetHWND() const { return m_destroyed ? nullptr : Host(); }

bool CWindowWnd::Create(CWindowWnd* parent, const QString& name, UINT /*style*/, UINT exStyle,
                        int x, int y, int cx, int cy) {
    if (Host()) return false;
    m_parent = parent;
    m_destroyed = false;
    auto* host = new WindowHost(this, parent ? parent->GetHWND() : nullptr,
                                (exStyle & WS_EX_TOOLWINDOW) != 0);
    m_hostWidget = host;
    m_hostGuard = host;
    host->setObjectName(GetWindowClassName());
    host->setWindowTitle(name);
    if (cx != CW_USEDEFAULT && cy != CW_USEDEFAULT) host->resize(cx, cy);
    if (x != CW_USEDEFAULT && y != CW_USEDEFAULT) host->move(x, y);
    if (SendMessage(WM_CREATE) == -1) {
        // The layout could not be built: no half-made window is left behind.
        delete host;
        m_hostWidget = nullptr;
        return false;
    }
    return !m_destroyed;
}

void CWindowWnd::CenterWindow() {
    WindowHost* host = Host();
    if (!host) return;
    QRect area;
    if (m_parent && m_parent->GetHWND() && m_parent->GetHWND()->isVisible()) {
        area = m_parent->GetHWND()->frameGeometry();
    } else {
        QScreen* screen = host->screen() ? host->screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        area = screen->availableGeometry();
    }
    QRect g = host->frameGeometry();
    g.moveCenter(area.center());
    host->move(g.topLeft());
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    WindowHost* host = Host();
    if (!host || m_destroyed) return;
    if (!show) {
        host->hide();
        return;
    }
    host->show();
    if (takeFocus) {
        host->raise();
        host->activateWindow();
    }
}

UINT CWindowWnd::ShowModal() {
    WindowHost* host = Host();
    if (!host || m_destroyed) return 0;
    const QPointer<QWidget> parent = m_parent ? m_parent->GetHWND() : nullptr;
    host->setWindowModality(Qt::ApplicationModal);
    if (!host->isVisible()) host->show();
    QEventLoop loop;
    m_modalLoop = &loop;
    const int result = loop.exec(QEventLoop::DialogExec);
    // A window may free itself when it is destroyed (its OnFinalMessage): nothing of this
    // object is touched once the loop has returned.
    if (parent) parent->activateWindow();
    return static_cast<UINT>(result);
}

void CWindowWnd::Close(UINT result) {
    m_modalResult = result;
    PostMessage(WM_CLOSE);
}

void CWindowWnd::SetIcon(UINT resourceId) {
    WindowHost* host = Host();
    if (!host || resourceId != IDI_APPLICATION_ICON) return;
    // The application icon is the skin's logo at each of its scales.
    QIcon icon;
    for (const char* name : {"logo.png", "logo@125.png", "logo@150.png"}) {
        const auto bytes = CPaintManagerUI::LoadResource(QString::fromLatin1(name));
        QPixmap pixmap;
        if (bytes && pixmap.loadFromData(*bytes)) icon.addPixmap(pixmap);
    }
    if (!icon.isNull()) host->setWindowIcon(icon);
}

void CWindowWnd::SetWindowText(const QString& text) {
    if (WindowHost* host = Host()) host->setWindowTitle(text);
}

QString CWindowWnd::GetWindowText() const {
    const WindowHost* host = Host();
    return host ? host->windowTitle() : QString();
}

LRESULT CWindowWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowHost* host = Host();
    if (!host || m_destroyed) return 0;
    return host->Dispatch(msg, wParam, lParam);
}

WindowHost* CWindowWnd::PostTarget() const {
    // Other threads (the engine's wake-up) must not read the guard, which belongs to the UI
    // thread; they run only while the engine lives, and the engine is shut down before the
    // widget goes.
    if (QThread::currentThread() != qApp->thread()) return m_hostWidget;
    return Host();
}

bool CWindowWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowHost* host = PostTarget();
    if (!host) return false;
    host->Post(msg, wParam, lParam);
    return true;
}

bool CWindowWnd::PostMessage(UINT msg, std::unique_ptr<MessagePayload> payload, LPARAM lParam) {
    WindowHost* host = PostTarget();
    if (!host) return false;
    host->Post(msg, std::move(payload), lParam);
    return true;
}

void CWindowWnd::DragAcceptFiles(bool accept) {
    if (WindowHost* host = Host()) host->setAcceptDrops(accept);
}

CWindowWnd* CWindowWnd::FromPaintManager(const CPaintManagerUI* manager) {
    const auto* host = manager ? dynamic_cast<const WindowHost*>(manager->GetHost()) : nullptr;
    return host ? host->Owner() : nullptr;
}

void CWindowWnd::PostQuitMessage(int exitCode) {
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

bool CWindowWnd::SetTimer(UINT id, UINT milliseconds) {
    WindowHost* host = Host();
    return host && !m_destroyed && host->StartWindowTimer(id, static_cast<int>(milliseconds));
}

bool CWindowWnd::KillTimer(UINT id) {
    WindowHost* host = Host();
    return host && host->StopWindowTimer(id);
}

bool CWindowWnd::IsTimerActive(UINT id) const {
    const WindowHost* host = Host();
    return host && host->IsWindowTimerActive(id);
}

void CWindowWnd::SetZoomed(bool zoomed) {
    WindowHost* host = Host();
    if (!host) return;
    if (zoomed)
        host->showMaximized();
    else
        host->showNormal();
}

QRect CWindowWnd::GetWindowRect() const {
    const WindowHost* host = Host();
    return host ? CDPI::ToDevice(host->frameGeometry(), host->devicePixelRatioF()) : QRect();
}

QRect CWindowWnd::GetNormalRect() const {
    const WindowHost* host = Host();
    return host ? CDPI::ToDevice(host->normalGeometry(), host->devicePixelRatioF()) : QRect();
}

QRect CWindowWnd::GetClientRect() const {
    const WindowHost* host = Host();
    if (!host) return {};
    return QRect(QPoint(0, 0), CDPI::ToDevice(host->size(), host->devicePixelRatioF()));
}

QPoint CWindowWnd::ScreenToClient(const QPoint& screen) const {
    const WindowHost* host = Host();
    if (!host) return screen;
    return screen - CDPI::ToDevice(host->mapToGlobal(QPoint(0, 0)), host->devicePixelRatioF());
}

QPoint CWindowWnd::ClientToScreen(const QPoint& client) const {
    const WindowHost* host = Host();
    if (!host) return client;
    return client + CDPI::ToDevice(host->mapToGlobal(QPoint(0, 0)), host->devicePixelRatioF());
}

qreal CWindowWnd::DevicePixelRatio() const {
    const WindowHost* host = Host();
    return host ? host->devicePixelRatioF() : 1.0;
}

bool CWindowWnd::IsZoomed() const {
    const WindowHost* host = Host();
    return host && host->isMaximized();
}

bool CWindowWnd::IsIconic() const {
    const WindowHost* host = Host();
    return host && host->isMinimized();
}

void CWindowWnd::DestroyWindow() {
    WindowHost* host = Host();
    if (!host || m_destroyed) return;
    host->Dispatch(WM_DESTROY, 0, 0);
    m_destroyed = true;
    host->hide();
    if (QEventLoop* loop = std::exchange(m_modalLoop, nullptr))
        loop->exit(static_cast<int>(m_modalResult));
    // The widget itself stays until this object goes, so native children (the engine's video
    // window) outlive whatever still draws into them.
    OnFinalMessage(host);
}

LRESULT CWindowWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
    WindowHost* host = Host();
    switch (msg) {
        case WM_CLOSE:
            DestroyWindow();
            return 0;
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_SYSCOMMAND:
            if (!host) return 0;
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    host->showMinimized();
                    break;
                case SC_MAXIMIZE:
                    host->showMaximized();
                    break;
                case SC_RESTORE:
                    host->showNormal();
                    break;
                case SC_CLOSE:
                    PostMessage(WM_CLOSE);
                    break;
                default:
                    break;
            }
            return 0;
        default:
            return 0;
    }
}

void CWindowWnd::OnFinalMessage(QWidget*) {}

QString CWindowWnd::ToolTipAt(const QPoint&) { return {}; }

void CWindowWnd::SetWindowPos(const QRect& rect) {
    WindowHost* host = Host();
    if (!host) return;
    host->setGeometry(CDPI::ToLogical(rect, host->devicePixelRatioF()));
}

void CWindowWnd::SetTopMost(bool topMost) {
    WindowHost* host = Host();
    if (!host) return;
    if (QWindow* window = host->windowHandle()) {
        window->setFlag(Qt::WindowStaysOnTopHint, topMost);
    } else {
        // Not yet native: the flag is simply part of the window it will get.
        host->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    }
}

bool CWindowWnd::IsTopMost() const {
    const WindowHost* host = Host();
    if (!host) return false;
    const QWindow* window = host->windowHandle();
    return window ? window->flags().testFlag(Qt::WindowStaysOnTopHint)
                  : host->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

QRect CWindowWnd::MonitorWorkArea() const {
    const WindowHost* host = Host();
    QScreen* screen = host ? host->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    return CDPI::ToDevice(screen->availableGeometry(), screen->devicePixelRatio());
}

QRect CWindowWnd::MonitorRect() const {
    const WindowHost* host = Host();
    QScreen* screen = host ? host->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    return CDPI::ToDevice(screen->geometry(), screen->devicePixelRatio());
}
