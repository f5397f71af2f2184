#include "toolkit/NativeChildWnd.h"

#include <QWidget>

#include "toolkit/ChildWindowHost.h"
#include "toolkit/WindowWnd.h"

CNativeChildWnd::CNativeChildWnd() = default;

CNativeChildWnd::~CNativeChildWnd() { Destroy(); }

bool CNativeChildWnd::Create(CWindowWnd& parent, const QRect& rect) {
    QWidget* parentWidget = parent.GetHWND();
    if (!parentWidget || m_host) return false;
    m_parent = &parent;
    auto* host = new ChildWindowHost(this, parentWidget);  // owned by the parent widget
    m_host = host;
    MoveWindow(rect, false);
    host->show();
    return true;
}

QWidget* CNativeChildWnd::GetHWND() const { return m_host.data(); }

std::int64_t CNativeChildWnd::GetNativeId() const {
    return m_host ? static_cast<std::int64_t>(m_host->winId()) : 0;
}

QRect CNativeChildWnd::GetClientRect() const {
    if (!m_host) return {};
    const qreal r = m_host->devicePixelRatioF();
    return QRect(0, 0, static_cast<int>(m_host->width() * r),
                 static_cast<int>(m_host->height() * r));
}

QRect CNativeChildWnd::GetRect() const {
    if (!m_host) return {};
    const qreal r = m_host->devicePixelRatioF();
    const QRect g = m_host->geometry();
    return QRect(static_cast<int>(g.x() * r), static_cast<int>(g.y() * r),
                 static_cast<int>(g.width() * r), static_cast<int>(g.height() * r));
}

void CNativeChildWnd::MoveWindow(const QRect& rect, bool repaint) {
    if (!m_host) return;
    const qreal r = m_host->devicePixelRatioF();
    m_host->setGeometry(QRect(static_cast<int>(rect.x() / r), static_cast<int>(rect.y() / r),
                              static_cast<int>(rect.width() / r),
                              static_cast<int>(rect.height() / r)));
    if (repaint) m_host->update();
}

void CNativeChildWnd::DragAcceptFiles(bool accept) {
    if (m_host) m_host->setAcceptDrops(accept);
}

void CNativeChildWnd::Destroy() {
    if (auto* host = static_cast<ChildWindowHost*>(m_host.data())) {
        host->Detach();
        delete host;
    }
}

LRESULT CNativeChildWnd::WindowProc(UINT msg, WPARAM, LPARAM) {
    return msg == WM_NCHITTEST ? HTCLIENT : 0;
}
