#include "ui/AboutWnd.h"

#include "platform/UiLanguage.h"
#include "toolkit/Dpi.h"
#include "toolkit/UIControl.h"
#include "ui/ProductVersion.h"

CAboutWnd::CAboutWnd(platform::UrlOpener& urlOpener) : m_urlOpener(urlOpener) {}

QString CAboutWnd::GetWindowClassName() const { return QStringLiteral("AboutWnd"); }

QString CAboutWnd::GetSkinFile() const { return QStringLiteral("about.xml"); }

void CAboutWnd::InitWindow() {
    m_pm.SetDPI(CDPI::GetMainMonitorDPI());
    CControlUI* version = m_pm.FindControl(QStringLiteral("lblVersion"));
    if (!version) return;
    // Chosen by the interface language itself, as the language table is, so the two agree; the
    // table's own "version" text is not used.
    const QString prefix = platform::UserUiPrimaryLanguage() == platform::kLangChinese
                               ? QStringLiteral("版本: ")
                               : QStringLiteral("Version: v");
    // The layout's placeholder is a language id; the final text is not.
    version->SetResourceText(false);
    version->SetText(prefix + GetProductVersion());
}

void CAboutWnd::Notify(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_CLICK || !msg.pSender) return;
    const QString name = msg.pSender->GetName();
    if (name == u"closebtn") {
        Close(0);
    } else if (name == u"homepage_btn") {
        // A browser that fails to start has nothing useful to tell the user here.
        m_urlOpener.Open(QString::fromLatin1(kHomePageAddress));
    }
}

void CAboutWnd::OnFinalMessage(QWidget* hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    // The opener created this window with new and kept no pointer to it, so only the window
    // knows when it is done; it is the one object in the program that deletes itself.
    delete this;
}
