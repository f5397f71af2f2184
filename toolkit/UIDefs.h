#pragma once
// Small records shared by controls, the paint manager and the notification routing.

#include <QPoint>
#include <QString>

#include "toolkit/WindowMessages.h"

class CControlUI;

// Notification types a control raises.
inline const QString DUI_MSGTYPE_CLICK = QStringLiteral("click");
inline const QString DUI_MSGTYPE_VALUECHANGED = QStringLiteral("valuechanged");
inline const QString DUI_MSGTYPE_MOVEVALUECHANGED = QStringLiteral("movevaluechanged");
inline const QString DUI_MSGTYPE_WINDOWINIT = QStringLiteral("windowinit");
// The keyboard focus left the sender (killfocus) or came to it (setfocus).
inline const QString DUI_MSGTYPE_SETFOCUS = QStringLiteral("setfocus");
inline const QString DUI_MSGTYPE_KILLFOCUS = QStringLiteral("killfocus");

struct TNotifyUI {
    QString sType;
    CControlUI* pSender = nullptr;
    QPoint ptMouse;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
  public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

enum class UiEvent {
    MouseMove,
    MouseEnter,
    MouseLeave,
    ButtonDown,
    ButtonUp,
    DoubleClick,
    Timer,
    KeyDown,  // to the focused control; wParam is the virtual key
};

struct TEventUI {
    UiEvent type = UiEvent::MouseMove;
    CControlUI* pSender = nullptr;
    QPoint ptMouse;  // logical client coordinates
    WPARAM wParam = 0;
    // KeyDown: set by a control that used the key, which then goes no further.
    bool bHandled = false;
};
