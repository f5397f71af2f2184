#include "toolkit/ChildWindowHost.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "toolkit/Dpi.h"
#include "toolkit/DropFiles.h"
#include "toolkit/NativeChildWnd.h"

ChildWindowHost::ChildWindowHost(CNativeChildWnd* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
}

LRESULT ChildWindowHost::Proc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return m_owner ? m_owner->WindowProc(msg, wParam, lParam) : 0;
}

LPARAM ChildWindowHost::ClientLParam(const QPointF& logical) const {
    const QPoint device = CDPI::ToDevice(logical, devicePixelRatioF());
    return MakePointLParam(device.x(), device.y());
}

bool ChildWindowHost::IsTransparentAt(const QPointF& globalLogical) {
    return Proc(WM_NCHITTEST, 0, ClientLParam(globalLogical)) == HTTRANSPARENT;
}

void ChildWindowHost::ForwardToParent(QMouseEvent* e) {
    QWidget* parent = parentWidget();
    if (!parent) return;
    QMouseEvent forwarded(e->type(), parent->mapFromGlobal(e->globalPosition()),
                          e->globalPosition(), e->button(), e->buttons(), e->modifiers(),
                          e->pointingDevice());
    QCoreApplication::sendEvent(parent, &forwarded);
}

void ChildWindowHost::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    if (m_owner)
        m_owner->Paint(painter, e->rect());
    else
        painter.fillRect(e->rect(), Qt::black);
}

void ChildWindowHost::enterEvent(QEnterEvent*) { Proc(WM_SETCURSOR, 0, 0); }

void ChildWindowHost::mousePressEvent(QMouseEvent* e) { PressOrForward(e, WM_LBUTTONDOWN); }

void ChildWindowHost::mouseDoubleClickEvent(QMouseEvent* e) { PressOrForward(e, WM_LBUTTONDBLCLK); }

void ChildWindowHost::PressOrForward(QMouseEvent* e, UINT msg) {
    if (e->button() != Qt::LeftButton) return;
    // Where the parent would report a caption or border the press is the parent's, and so
    // is everything up to the release.
    if (IsTransparentAt(e->globalPosition())) {
        m_forwarding = true;
        ForwardToParent(e);
        return;
    }
    Proc(msg, 0, ClientLParam(e->position()));
}

void ChildWindowHost::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (m_forwarding) {
        m_forwarding = false;
        ForwardToParent(e);
        return;
    }
    Proc(WM_LBUTTONUP, 0, ClientLParam(e->position()));
}

void ChildWindowHost::mouseMoveEvent(QMouseEvent* e) {
    // The parent sees every move over the child in its own coordinates (its fullscreen bars
    // follow the pointer wherever it is).
    ForwardToParent(e);
    if (!m_forwarding) Proc(WM_MOUSEMOVE, 0, ClientLParam(e->position()));
}

void ChildWindowHost::dragEnterEvent(QDragEnterEvent* e) {
    if (!LocalFilesOf(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void ChildWindowHost::dragMoveEvent(QDragMoveEvent* e) {
    if (!LocalFilesOf(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void ChildWindowHost::dropEvent(QDropEvent* e) {
    DropFiles drop{LocalFilesOf(e->mimeData())};
    if (drop.paths.isEmpty()) return;
    e->acceptProposedAction();
    Proc(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
}
