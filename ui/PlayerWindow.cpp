#include "ui/PlayerWindow.h"

#include <QString>

#include "engine/EngineOptions.h"
#include "platform/DebugOutput.h"
#include "platform/FileDialogService.h"
#include "settings/SettingsStore.h"
#include "toolkit/Dpi.h"
#include "toolkit/MenuWnd.h"
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

PlayerWindow::PlayerWindow(const EngineApi& api, SettingsStore* store)
    : m_fileDialog(&platform::SystemFileDialog()), m_player(api, store) {
    m_player.AddObserver(this);
}

PlayerWindow::~PlayerWindow() {
    m_player.SavePosition();
    CMenuWnd::DestroyMenu();
    m_pMenu.reset();
    CMenuWnd::GetGlobalContextMenuObserver().SetMenuCheckInfo(nullptr);
    // The engine goes before its window: it must never draw into a destroyed one.
    m_player.Shutdown();
    m_player.RemoveObserver(this);
}

bool PlayerWindow::CreateAndShow() {
    if (!Create(nullptr, QStringLiteral("MoviraPlayer"), WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0))
        return false;
    CenterWindow();
    m_pm.SetDPI(CDPI::GetMainMonitorDPI());
    ShowWindow(true, true);
    return true;
}

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
    DragAcceptFiles(true);
    m_dpiScale = static_cast<float>(CDPI::GetMainMonitorDPI()) / 96.0f;
    if (m_videoWnd.Create(*this, QRect(0, 0, 100, 100))) m_videoWnd.DragAcceptFiles(true);
    CreateEngine();

    // What the player accepts follows what the skin offers.
    if (m_pVolume) m_player.SetVolumeRange(m_pVolume->GetMinValue(), m_pVolume->GetMaxValue());
    m_speedItems = SpeedItems::FromSkin();
    m_player.SetOfferedSpeeds(m_speedItems.Speeds());
    m_player.LoadSettings();
    if (m_pVolume) m_pVolume->SetValue(m_player.VolumeLevel());
    if (m_pProgress) {
        m_pProgress->Accessible().quietUpdates = true;
        m_pProgress->Accessible().valueText = [this](double s) { return ProgressValueText(s); };
    }
    LayoutVideoWindow();
    m_hoverLabel.Attach(*this, m_pm, m_pProgress);

    ApplyLook(m_pPinBtn, m_bTopMost ? "look_pinned" : "look_unpinned");
    ShowToggleState(m_pPinBtn, m_bTopMost);
    SetTopMost(m_bTopMost);
    ApplyMute();
    ApplyPlayButtonLook();
    ShowTitleState();
}

void PlayerWindow::ApplyLook(CControlUI* button, const char* style) {
    const QString* look = m_pm.GetStyle(QString::fromLatin1(style));
    if (button && look) button->ApplyAttributeList(*look);
}

void PlayerWindow::ApplyPlayButtonLook() {
    const bool playing = m_player.GetPlayState() == PlayState::Playing;
    ApplyLook(m_pPlayBtn, playing ? "look_playing" : "look_play");
    // Its tooltip flips between Play and Pause, but Qt 6.4 tells AT-SPI of a new name without
    // the name, so a screen reader hears nothing: it reads as the toggle "Play", on while
    // playing, whose state changes are heard.
    ShowToggleState(m_pPlayBtn, playing);
}

bool PlayerWindow::CreateEngine() {
    const QRect client = m_videoWnd.GetClientRect();
    platform::DebugOutput(QStringLiteral("VideoWnd: hwnd=0x%1, size=%2x%3")
                              .arg(static_cast<quint64>(m_videoWnd.GetNativeId()), 0, 16)
                              .arg(client.width())
                              .arg(client.height()));
    return m_player.CreateEngine(m_videoWnd.IsWindow() ? m_videoWnd.GetNativeId() : 0, m_dpiScale,
                                 &PlayerWindow::EngineWakeupCallback, this);
}

void PlayerWindow::EngineWakeupCallback(void* context) {
    // Runs on one of the engine's threads: only post.
    static_cast<PlayerWindow*>(context)->PostMessage(WM_ENGINE_WAKEUP, 0, 0);
}

void PlayerWindow::LayoutVideoWindow() {
    if (!m_videoWnd.IsWindow()) return;
    const QRect client = GetClientRect();
    // The bars' heights at the window's scale, in and out of fullscreen, shown or hidden:
    // while the bars are hidden their bands show the layout's black video area.
    const int top = CDPI::ToDeviceAtSystemScale(TopBarHeight(), m_dpiScale);
    const int bottomMargin = CDPI::ToDeviceAtSystemScale(BottomBarHeight(), m_dpiScale);
    const int width = client.width();
    const int height = client.height() - bottomMargin - top;
    if (width > 0 && height > 0) m_videoWnd.MoveWindow(QRect(0, top, width, height), true);
}

void PlayerWindow::OnDpiChanged(int dpi, const QRect* suggested) {
    if (dpi <= 0) return;
    // The scale start-up takes from the main monitor's DPI, now the window's new one.
    m_dpiScale = static_cast<float>(dpi) / 96.0f;
    // The images for the new DPI; the layout keeps its logical sizes, which Qt draws at the
    // new scale.
    m_pm.SetDPI(dpi);
    if (CControlUI* root = m_pm.GetRoot()) root->NeedUpdate();
    // Qt keeps a window's logical place across screens, so the suggestion is mostly where
    // the window already is; a maximised or fullscreen window must not be moved for nothing.
    const QRect here(ClientToScreen(QPoint(0, 0)), GetClientRect().size());
    if (suggested && *suggested != here) SetWindowPos(*suggested);
    LayoutVideoWindow();
}

int PlayerWindow::TopBarHeight() const { return m_pTopBar ? m_pTopBar->GetFixedHeight() : 0; }

int PlayerWindow::BottomBarHeight() const {
    return m_pBottomBar ? m_pBottomBar->GetFixedHeight() : 0;
}

int PlayerWindow::ButtonRowHeight() const {
    const CControlUI* row = m_pPlayBtn ? m_pPlayBtn->GetParent() : nullptr;
    return row ? row->GetFixedHeight() : 0;
}

LRESULT PlayerWindow::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    PostQuitMessage(0);
    handled = false;
    return 0;
}

LRESULT PlayerWindow::OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const QPoint pt = ScreenToClient(QPoint(PointLParamX(lParam), PointLParamY(lParam)));
    const QRect client = GetClientRect();
    // The drag band is the button row's height standing on the bottom sizing border, between
    // the side borders: a point on any border sizes the window as everywhere else. Its top
    // is at the DPI of start-up, like the video's margins; the borders follow the display.
    const QMargins borders = SizingBorders();
    const int rowAndBorder = ButtonRowHeight() + m_pm.GetWindowAttributes().sizeBox.bottom();
    const int bandLeft = borders.left();
    const int bandTop = client.height() - CDPI::ToDeviceAtSystemScale(rowAndBorder, m_dpiScale);
    const int bandRight = client.width() - borders.right();
    const int bandBottom = client.height() - borders.bottom();
    // Left and top edges inside, right and bottom outside.
    const bool inBand =
        pt.x() >= bandLeft && pt.x() < bandRight && pt.y() >= bandTop && pt.y() < bandBottom;
    if (!inBand) return WindowImplBase::OnNcHitTest(msg, wParam, lParam, handled);
    // Buttons and sliders work as usual.
    const CControlUI* control = m_pm.FindControl(ToLogical(pt));
    if (control && control->IsInteractive()) {
        handled = false;
        return HTCLIENT;
    }
    // Pressing on the bare control bar drags the window.
    handled = true;
    return HTCAPTION;
}
