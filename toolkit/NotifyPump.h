#pragma once
// CNotifyPump: routes a notification to a handler found in a message map (by notification type
// and control name, chained to base maps), or to the page registered under the notification's
// virtual window name.

#include <QHash>
#include <QString>
#include <functional>
#include <vector>

#include "toolkit/UIDefs.h"

class CNotifyPump;

struct DuiMessageMapEntry {
    QString type;
    QString controlName;  // empty matches any control
    std::function<void(CNotifyPump*, TNotifyUI&)> handler;
};

struct DuiMessageMap {
    const DuiMessageMap* base = nullptr;
    std::vector<DuiMessageMapEntry> entries;
};

// Binds a member handler of a pump-derived class into a map entry.
template <class T>
DuiMessageMapEntry DuiOnNotify(const QString& type, const QString& controlName,
                               void (T::*fn)(TNotifyUI&)) {
    return {type, controlName,
            [fn](CNotifyPump* self, TNotifyUI& msg) { (static_cast<T*>(self)->*fn)(msg); }};
}

class CNotifyPump {
  public:
    virtual ~CNotifyPump() = default;

    bool AddVirtualWnd(const QString& name, CNotifyPump* page);
    bool RemoveVirtualWnd(const QString& name);
    bool HasVirtualWnd(const QString& name) const { return m_virtualWnds.contains(name); }
    // Hands the message to its virtual window's page, or else to this pump's map.
    void NotifyPump(TNotifyUI& msg);
    // The first matching entry of this map or its bases handles the message.
    bool LoopDispatch(TNotifyUI& msg);

    virtual const DuiMessageMap* GetMessageMap() const;

  private:
    QHash<QString, CNotifyPump*> m_virtualWnds;
};
