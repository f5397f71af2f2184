#include "toolkit/NotifyPump.h"

#include "toolkit/UIControl.h"

bool CNotifyPump::AddVirtualWnd(const QString& name, CNotifyPump* page) {
    if (!page || m_virtualWnds.contains(name)) return false;
    m_virtualWnds.insert(name, page);
    return true;
}

bool CNotifyPump::RemoveVirtualWnd(const QString& name) { return m_virtualWnds.remove(name) > 0; }

void CNotifyPump::NotifyPump(TNotifyUI& msg) {
    if (!msg.sVirtualWnd.isEmpty()) {
        if (CNotifyPump* page = m_virtualWnds.value(msg.sVirtualWnd)) {
            page->LoopDispatch(msg);
            return;
        }
    }
    LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg) {
    const QString controlName = msg.pSender ? msg.pSender->GetName() : QString();
    for (const DuiMessageMap* map = GetMessageMap(); map; map = map->base) {
        for (const DuiMessageMapEntry& entry : map->entries) {
            if (entry.type != msg.sType) continue;
            if (!entry.controlName.isEmpty() && entry.controlName != controlName) continue;
            entry.handler(this, msg);
            return true;
        }
    }
    return false;
}

const DuiMessageMap* CNotifyPump::GetMessageMap() const {
    static const DuiMessageMap map;
    return &map;
}
