#include "ui/MainPage.h"

const DuiMessageMap* CMainPage::GetMessageMap() const {
    static const DuiMessageMap map{
        CNotifyPump::GetMessageMap(),
        {DuiOnNotify(DUI_MSGTYPE_CLICK, QString(), &CMainPage::OnClick)}};
    return &map;
}

void CMainPage::OnClick(TNotifyUI&) {}
