#pragma once
// ChildWindowHost: the native Qt widget behind a CNativeChildWnd. Turns Qt events into the
// child's window messages and passes the mouse on to the parent window where the child's hit
// test says the parent should have it.

#include <QWidget>

#include "toolkit/WindowMessages.h"

class CNativeChildWnd;

class ChildWindowHost : public QWidget {
    Q_OBJECT
  public:
    ChildWindowHost(CNativeChildWnd* owner, QWidget* parent);
    void Detach() { m_owner = nullptr; }

  protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam);
    // A left press or double click: the child's message `msg`, or forwarded to the parent.
    void PressOrForward(QMouseEvent* e, UINT msg);
    LPARAM ClientLParam(const QPointF& logical) const;
    bool IsTransparentAt(const QPointF& globalLogical);
    void ForwardToParent(QMouseEvent* e);

    CNativeChildWnd* m_owner;
    bool m_forwarding = false;  // a press went to the parent; its moves and release follow
};
