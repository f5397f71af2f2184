#pragma once
// CAboutWnd: the modal About box over the main window. Shows the logo, the product name and
// slogan, the product version in the user's interface language and a button that opens the
// home page in the default browser.
//
// Its opener creates it with new, shows it modally and keeps no pointer: the window frees
// itself once it is finally destroyed.

#include "platform/UrlOpener.h"
#include "toolkit/WindowImplBase.h"

class CAboutWnd : public WindowImplBase {
  public:
    // The opener decides where web addresses go; tests hand in a recorder.
    explicit CAboutWnd(platform::UrlOpener& urlOpener = platform::SystemUrlOpener());

    QString GetWindowClassName() const override;
    QString GetSkinFile() const override;
    void InitWindow() override;
    // Its buttons' clicks, told apart by name as the main window's are.
    void Notify(TNotifyUI& msg) override;
    void OnFinalMessage(QWidget* hWnd) override;

  private:
    platform::UrlOpener& m_urlOpener;
};
