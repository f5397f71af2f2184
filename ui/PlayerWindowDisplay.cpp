// PlayerWindow: the time label, the progress slider, the title, the speed label, the play and
// mute buttons' looks, and fitting the window to the video; all fed by the player.

#include "toolkit/AccessibleWindow.h"
#include "toolkit/Dpi.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "ui/FitGeometry.h"
#include "ui/PlayerMessages.h"
#include "ui/PlayerWindow.h"
#include "ui/TimeFormat.h"

double PlayerWindow::ProgressScale() const {
    return m_pProgress ? static_cast<double>(m_pProgress->GetMaxValue()) : 1000.0;
}

void PlayerWindow::UpdateTimeText() {
    if (!m_player.HasEngine()) return;
    const double position = m_player.Position().value_or(0.0);
    SetTimeText(PlaybackTimeText(position, m_player.Duration()));
}

void PlayerWindow::SetTimeText(const QString& text) {
    if (m_pTimeLabel) m_pTimeLabel->SetText(text);
}

QString PlayerWindow::ProgressValueText(double seconds) const {
    return CResourceManager::GetInstance()
        .GetText(QStringLiteral("progress_value"))
        .arg(SpokenTime(seconds), SpokenTime(m_player.Duration()));
}

void PlayerWindow::AnnouncePlayback() {
    constexpr qint64 kQuietMs = 10000;
    const bool focused = m_pProgress->IsFocused();
    // Reaching the slider reads its value: the next one is due a whole pause later.
    if (focused && !m_progressFocused) m_progressHeard.start();
    m_progressFocused = focused;
    if (!focused || m_player.GetPlayState() != PlayState::Playing ||
        !m_progressHeard.hasExpired(kQuietMs))
        return;
    m_progressHeard.start();
    NotifyAccessible(*m_pProgress, QAccessible::ValueChanged);
}

void PlayerWindow::ShowToggleState(CControlUI* button, bool on) {
    // Only a change is announced: a screen reader speaks every one it is told.
    if (!button || button->Accessible().checked == on) return;
    button->Accessible().checked = on;
    NotifyAccessible(*button, QAccessible::StateChanged);
}

void PlayerWindow::ShowTitleState() {
    ShowToggleState(m_pInfoBtn, m_pTitleLabel && !m_pTitleLabel->GetText().isEmpty());
}

void PlayerWindow::OnPositionChanged(double seconds) { OnTimePosChanged(seconds); }

void PlayerWindow::OnTimePosChanged(double position) {
    if (m_bSeeking) return;
    const double duration = m_player.Duration();
    if (duration > 0.0 && m_pProgress) {
        const double scale = ProgressScale();
        // Listeners read the slider in seconds.
        m_pProgress->Accessible().valueScale = duration / scale;
        m_pProgress->SetValue(static_cast<int>(position / duration * scale));
        AnnouncePlayback();
    }
    UpdateTimeText();
}

void PlayerWindow::OnTitleChanged(const QString& title) { OnMediaTitleChanged(title); }

void PlayerWindow::OnMediaTitleChanged(const QString& title) {
    SetWindowText(title);
    if (m_pTitleLabel) {
        m_pTitleLabel->SetText(title);
        if (m_pInfoBtn) m_pInfoBtn->SetVisible(true);
    }
    ShowTitleState();
}

void PlayerWindow::OnPlayStateChanged() { ApplyPlayButtonLook(); }

void PlayerWindow::OnFileLoaded() { PostMessage(WM_FILE_LOADED); }

void PlayerWindow::OnStopped() { ShowStopped(); }

void PlayerWindow::ShowStopped() {
    ApplyLook(m_pPlayBtn, "look_play");
    ShowToggleState(m_pPlayBtn, false);
    SetTimeText(QStringLiteral("00:00 / 00:00"));
    if (m_pTitleLabel) {
        m_pTitleLabel->SetText(QString());
        if (m_pInfoBtn) m_pInfoBtn->SetVisible(false);
    }
    ShowTitleState();
    if (m_pProgress) m_pProgress->SetValue(0);
}

void PlayerWindow::OnVolumeChanged(int level) {
    if (m_pVolume) m_pVolume->SetValue(level);
}

void PlayerWindow::OnMuteChanged(bool) { ApplyMute(); }

void PlayerWindow::OnSpeedChanged(double speed) {
    if (!m_pSpeedLabel) return;
    if (!m_pSpeedLabel->IsVisible()) m_pSpeedLabel->SetVisible(true);
    m_pSpeedLabel->SetText(m_speedItems.LabelFor(speed));
}

void PlayerWindow::FitWindowToVideo() {
    // The bars' heights in the window system's pixels.
    const int bars = CDPI::ToDevice(TopBarHeight() + BottomBarHeight(), DevicePixelRatio());
    const auto rect = FitWindowRect(m_player.VideoWidth(), m_player.VideoHeight(), m_dpiScale,
                                    MonitorWorkArea(), bars);
    if (rect) SetWindowPos(*rect);
}
