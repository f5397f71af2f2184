// PlayerWindow: the time label, the progress slider, the title and fitting the window to
// the video.

#include "engine/FitGeometry.h"
#include "engine/TimeFormat.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/Dpi.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "ui/PlayerWindow.h"

void PlayerWindow::UpdateTimeText() {
    if (!m_mpv.HasHandle()) return;
    const double position = m_mpv.GetDouble("time-pos").value_or(0.0);
    SetTimeText(PlaybackTimeText(position, m_duration));
}

void PlayerWindow::SetTimeText(const QString& text) {
    if (m_pTimeLabel) m_pTimeLabel->SetText(text);
    // A screen reader reads the times as the progress slider's description.
    if (m_pProgress) m_pProgress->Accessible().description = text;
}

void PlayerWindow::ShowToggleState(CControlUI* button, bool on) {
    if (!button) return;
    button->Accessible().checked = on;
    NotifyAccessible(*button, QAccessible::StateChanged);
}

void PlayerWindow::OnTimePosChanged(double position) {
    if (m_bSeeking) return;
    // The length comes as an event of its own, which the engine has been seen to skip when a
    // file resumes paused; without it the slider and the total would stay at zero.
    if (m_duration <= 0.0) m_duration = m_mpv.GetDouble("duration").value_or(0.0);
    if (m_duration > 0.0 && m_pProgress) {
        // Listeners read the slider in seconds.
        m_pProgress->Accessible().valueScale = m_duration / kProgressScale;
        m_pProgress->SetValue(static_cast<int>(position / m_duration * kProgressScale));
    }
    UpdateTimeText();
}

void PlayerWindow::OnMediaTitleChanged(const char* utf8Title) {
    if (!utf8Title) return;
    const QString title = QString::fromUtf8(utf8Title);
    SetWindowText(title);
    m_title = title;
    if (m_pTitleLabel) {
        m_pTitleLabel->SetText(m_title);
        if (m_pInfoBtn) m_pInfoBtn->SetVisible(true);
    }
}

void PlayerWindow::FitWindowToVideo() {
    const std::int64_t w = m_mpv.GetInt64("video-params/w");
    const std::int64_t h = m_mpv.GetInt64("video-params/h");
    // The bars' heights in the window system's pixels.
    const int bars = CDPI::ToDevice(TopBarHeight() + BottomBarHeight(), DevicePixelRatio());
    const auto rect = FitWindowRect(w, h, m_dpiScale, MonitorWorkArea(), bars);
    if (rect) SetWindowPos(*rect);
}
