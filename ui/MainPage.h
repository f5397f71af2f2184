#pragma once
// CMainPage: the page the title-bar buttons name as their virtual window. The main window
// handles every notification itself, so the page's click handler has nothing to do; it stays
// registered so that the layout's virtual window names resolve.

#include "toolkit/NotifyPump.h"

class CPaintManagerUI;

class CMainPage : public CNotifyPump {
  public:
    explicit CMainPage(CPaintManagerUI* manager = nullptr) : m_pm(manager) {}
    void SetPaintManager(CPaintManagerUI* manager) { m_pm = manager; }
    CPaintManagerUI* GetPaintManager() const { return m_pm; }

    const DuiMessageMap* GetMessageMap() const override;
    void OnClick(TNotifyUI& msg);

  private:
    CPaintManagerUI* m_pm;
};
