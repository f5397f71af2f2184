#include "ui/PlayerWindow.h"

#include "toolkit/Dpi.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "ui/PlayerMessages.h"

namespace {

template <class T>
T* Find(CPaintManagerUI& pm, const char* name) {
    return dynamic_cast<T*>(pm.FindControl(QString::fromLatin1(name)));
}

}  // namespace

PlayerWindow::PlayerWindow() : m_mainPage(&m_pm) {}

PlayerWindow::~PlayerWindow() { RemoveVirtualWnd(QStringLiteral("mainpage")); }

QString PlayerWindow::GetWindowClassName() const { return QStringLiteral("PlayerWindow"); }

UINT PlayerWindow::GetClassStyle() const { return CS_DBLCLKS; }

QString PlayerWindow::GetSkinFile() const { return QStringLiteral("main.xml"); }

void PlayerWindow::FindControls() {
    m_pTopBar = Find<CContainerUI>(m_pm, "vTop");
    m_pBottomBar = Find<CContainerUI>(m_pm, "vBottom");
    m_pCloseBtn = Find<CControlUI>(m_pm, "closebtn");
    m_pMaxBtn = Find<CControlUI>(m_pm, "maxbtn");
    m_pRestoreBtn = Find<CControlUI>(m_pm, "restorebtn");
    m_pMinBtn = Find<CControlUI>(m_pm, "minbtn");
    m_pPinBtn = Find<CControlUI>(m_pm, "pinbtn");
    m_pInfoBtn = Find<CControlUI>(m_pm, "infobtn");
    m_pVolumeBtn = Find<CControlUI>(m_pm, "btn_volume");
    m_pPlayBtn = Find<CControlUI>(m_pm, "btn_play");
    m_pProgress = Find<CSliderUI>(m_pm, "slider_progress");
    m_pVolume = Find<CSliderUI>(m_pm, "slider_volume");
    m_pTitleLabel = Find<CLabelUI>(m_pm, "lblvideo");
    m_pTimeLabel = Find<CLabelUI>(m_pm, "lbl_time");
    m_pSpeedLabel = Find<CLabelUI>(m_pm, "lbl_speed");
}

void PlayerWindow::InitWindow() {
    SetIcon(IDI_APPLICATION_ICON);
    FindControls();
    m_dpiScale = static_cast<float>(CDPI::GetMainMonitorDPI()) / 96.0f;
}

void PlayerWindow::OnFinalMessage(QWidget* hWnd) {
    // The object is owned and deleted by start-up after the message loop.
    WindowImplBase::OnFinalMessage(hWnd);
}

LRESULT PlayerWindow::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    PostQuitMessage(0);
    handled = false;
    return 0;
}

LRESULT PlayerWindow::OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const QPoint pt = ScreenToClient(QPoint(PointLParamX(lParam), PointLParamY(lParam)));
    const QRect client = GetClientRect();
    const float s = m_dpiScale;
    // Windows-style edges: left and top inside, right and bottom outside.
    const int bandLeft = 4;
    const int bandTop = client.height() - static_cast<int>(46 * s);
    const int bandRight = client.width() - 4;
    const int bandBottom = client.height() - 4;
    const bool inBand =
        pt.x() >= bandLeft && pt.x() < bandRight && pt.y() >= bandTop && pt.y() < bandBottom;
    if (!inBand) return WindowImplBase::OnNcHitTest(msg, wParam, lParam, handled);
    const CControlUI* control = m_pm.FindControl(ToLogical(pt));
    if (control) {
        const QString cls = control->GetClass();
        if (cls.contains(u"ButtonUI") || cls.contains(u"SliderUI") || cls.contains(u"FadeButtonUI")) {
            handled = false;
            return HTCLIENT;
        }
    }
    // Pressing on the bare control bar drags the window.
    handled = true;
    return HTCAPTION;
}

LRESULT PlayerWindow::HandleCustomMessage(UINT msg, WPARAM, LPARAM, bool& handled) {
    handled = false;
    switch (msg) {
        case WM_DESTROY:
            PostQuitMessage(0);
            handled = true;
            break;
        default:
            break;
    }
    return 0;
}

void PlayerWindow::Notify(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_CLICK) return;
    if (msg.pSender == m_pCloseBtn) {
        PostMessage(WM_CLOSE);
    } else if (msg.pSender == m_pMinBtn) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        PostMessage(WM_RELAYOUT_VIDEO);
    } else if (msg.pSender == m_pMaxBtn) {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        PostMessage(WM_RELAYOUT_VIDEO);
    } else if (msg.pSender == m_pRestoreBtn) {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}
