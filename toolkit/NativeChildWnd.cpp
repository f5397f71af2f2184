#include "toolkit/NativeChildWnd.h"

#include <QPainter>
#include <QWidget>

#include "toolkit/ChildWindowHost.h"
#include "toolkit/Dpi.h"
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
    return QRect(QPoint(0, 0), CDPI::ToDevice(m_host->size(), m_host->devicePixelRatioF()));
}

QRect CNativeChildWnd::GetRect() const {
    if (!m_host) return {};
    return CDPI::ToDevice(m_host->geometry(), m_host->devicePixelRatioF());
}

void CNativeChildWnd::MoveWindow(const QRect& rect, bool repaint) {
    if (!m_host) return;
    m_host->setGeometry(CDPI::ToLogical(rect, m_host->devicePixelRatioF()));
    if (repaint) m_host->update();
}

void CNativeChildWnd::ShowWindow(bool show) {
    if (m_host) m_host->setVisible(show);
}

bool CNativeChildWnd::IsWindowVisible() const { return m_host && m_host->isVisible(); }

void CNativeChildWnd::Paint(QPainter& painter, const QRect& dirty) {
    painter.fillRect(dirty, Qt::black);
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
