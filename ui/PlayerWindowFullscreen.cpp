// PlayerWindow: fullscreen on the window's monitor, with bars that hide until the pointer
// comes near the top edge.

#include "toolkit/UIContainer.h"
#include "ui/PlayerMessages.h"
#include "ui/PlayerWindow.h"

namespace {
constexpr UINT kHideBarsDelayMs = 3000;
constexpr int kRevealBand = 50;  // pixels from the top that bring the bars back
}  // namespace

void PlayerWindow::ShowBars(bool visible) {
    m_bBarsVisible = visible;
    if (m_pTopBar) m_pTopBar->SetVisible(visible);
    if (m_pBottomBar) m_pBottomBar->SetVisible(visible);
    // The slider's label goes with the bar it stands over.
    if (!visible) m_hoverLabel.Hide();
    m_pm.Invalidate();
}

void PlayerWindow::ArmHideTimer() {
    if (m_hideTimer != 0) KillTimer(m_hideTimer);
    m_hideTimer = SetTimer(HIDE_BARS_TIMER_ID, kHideBarsDelayMs) ? HIDE_BARS_TIMER_ID : 0;
}

void PlayerWindow::ToggleFullScreen() {
    if (!m_bFullScreen) {
        m_bSavedZoomed = IsZoomed();
        // A maximised window keeps its normal rectangle: leaving, the window takes it before
        // it is maximised again, so that a window manager, which remembers the rectangle a
        // window had when maximised, still restores to it afterwards.
        m_rcWindow = m_bSavedZoomed ? GetNormalRect() : GetWindowRect();
        // The whole monitor, not just its work area, above every other window.
        const QRect monitor = MonitorRect();
        // Maximised over the whole monitor (no task bar), the window stays maximised: a
        // window manager carries out a restore later, and would give the window back its
        // normal rectangle after it had been fitted to the monitor.
        m_bKeptZoomed = m_bSavedZoomed && GetWindowRect() == monitor;
        if (m_bSavedZoomed && !m_bKeptZoomed) SetZoomed(false);
        SetTopMost(true);
        if (!m_bKeptZoomed) SetWindowPos(monitor);
        ShowBars(false);
        ArmHideTimer();
        m_bFullScreen = true;
        return;
    }
    if (m_hideTimer != 0) {
        KillTimer(m_hideTimer);
        m_hideTimer = 0;
    }
    if (!m_bBarsVisible) ShowBars(true);
    // Back to the former place and state, never topmost, whatever the pin says.
    SetTopMost(false);
    if (!m_bKeptZoomed) {
        SetWindowPos(m_rcWindow);
        if (m_bSavedZoomed) SetZoomed(true);
    }
    LayoutVideoWindow();
    m_bFullScreen = false;
}

void PlayerWindow::OnFullScreenTimer(WPARAM id) {
    if (id != HIDE_BARS_TIMER_ID || !m_bFullScreen) return;
    if (m_bBarsVisible) ShowBars(false);
    KillTimer(m_hideTimer);
    m_hideTimer = 0;
}

void PlayerWindow::OnFullScreenMouseMove(LPARAM lParam) {
    if (!m_bFullScreen) return;
    const QPoint pt(PointLParamX(lParam), PointLParamY(lParam));
    if (pt == m_ptLastMouse) return;  // a repeat without movement does not count
    m_ptLastMouse = pt;
    if (pt.y() <= kRevealBand && !m_bBarsVisible) ShowBars(true);
    ArmHideTimer();
}

void PlayerWindow::OnFullScreenMouseLeave() {
    if (m_bFullScreen && m_bBarsVisible) ShowBars(false);
}
