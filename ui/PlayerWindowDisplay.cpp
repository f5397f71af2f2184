// PlayerWindow: the time label, the progress slider, the title and fitting the window to
// the video.

#include "engine/FitGeometry.h"
#include "engine/PlaybackCommands.h"
#include "engine/TimeFormat.h"
#include "toolkit/Dpi.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "ui/PlayerWindow.h"

void PlayerWindow::UpdateTimeText() {
    if (!m_mpv) return;
    const double position = ::GetDoubleProperty(m_api, m_mpv, "time-pos").value_or(0.0);
    if (m_pTimeLabel) m_pTimeLabel->SetText(PlaybackTimeText(position, m_duration));
}

void PlayerWindow::OnTimePosChanged(double position) {
    if (m_bSeeking) return;
    // The length comes as an event of its own, which the engine has been seen to skip when a
    // file resumes paused; without it the slider and the total would stay at zero.
    if (m_duration <= 0.0) m_duration = ::GetDoubleProperty(m_api, m_mpv, "duration").value_or(0.0);
    if (m_duration > 0.0 && m_pProgress)
        m_pProgress->SetValue(static_cast<int>(position / m_duration * 1000.0));
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
    const std::int64_t w = ::GetInt64Property(m_api, m_mpv, "video-params/w");
    const std::int64_t h = ::GetInt64Property(m_api, m_mpv, "video-params/h");
    // The bars' heights as laid out, in the window system's pixels.
    const int bars = CDPI::ToDevice(
        (m_pTopBar ? m_pTopBar->GetHeight() : 0) + (m_pBottomBar ? m_pBottomBar->GetHeight() : 0),
        DevicePixelRatio());
    const auto rect = FitWindowRect(w, h, m_dpiScale, MonitorWorkArea(), bars);
    if (rect) SetWindowPos(*rect);
}
