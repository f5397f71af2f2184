// PlayerWindow: opening files, play and pause, seeking, speed, volume, mute and resume
// positions.

#include <algorithm>

#include "platform/FileDialogService.h"
#include "platform/FileName.h"
#include "platform/UiLanguage.h"
#include "settings/SettingsStore.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "ui/ButtonLooks.h"
#include "ui/PlayerWindow.h"

namespace {

constexpr double kResumeThreshold = 5.0;

std::vector<platform::FileFilter> OpenDialogFilters() {
    const QString patterns =
        QStringLiteral("*.mp3;*.mp4;*.mkv;*.avi;*.mov;*.flv;*.m4a;*.flac;*.wav");
    if (platform::UserUiPrimaryLanguage() == platform::kLangChinese)
        return {{QStringLiteral("音视频文件"), patterns},
                {QStringLiteral("所有文件"), QStringLiteral("*")}};
    return {{QStringLiteral("Media files"), patterns},
            {QStringLiteral("All files"), QStringLiteral("*")}};
}

}  // namespace

void PlayerWindow::OpenMedia(const QString& path) {
    SavePosition();
    QString chosen = path;
    if (chosen.isEmpty()) {
        const auto picked =
            m_fileDialog ? m_fileDialog->AskOpenFile(GetHWND(), OpenDialogFilters()) : std::nullopt;
        if (!picked) return;
        chosen = *picked;
    }
    // A file or a folder that exists, or an address the engine opens itself; anything else
    // is ignored without a word.
    if (!m_mpv.PlaysAddress(chosen) && !platform::FileExists(chosen)) return;
    // Without an engine nothing is opened, so the window never claims a file it cannot play.
    if (!m_mpv.HasHandle()) return;
    m_filePath = chosen;
    m_mpv.LoadFile(chosen);
}

void PlayerWindow::TogglePause() {
    if (m_filePath.isEmpty()) return;
    m_mpv.TogglePause();
}

PlayState PlayerWindow::GetPlayState() const { return m_mpv.GetPlayState(); }

void PlayerWindow::Play() {
    const PlayState state = GetPlayState();
    if (state == PlayState::Paused || state == PlayState::Ended) TogglePause();
}

void PlayerWindow::Pause() {
    if (GetPlayState() == PlayState::Playing) TogglePause();
}

bool PlayerWindow::HasOpenFile() const {
    return !m_filePath.isEmpty() && GetPlayState() != PlayState::Idle;
}

void PlayerWindow::SeekRelative(double seconds) { m_mpv.SeekRelative(seconds); }

void PlayerWindow::SeekTo(double seconds) { m_mpv.SeekAbsolute(seconds, 3); }

void PlayerWindow::SetSpeed(double speed, const QString& label) {
    // The label names the engine's speed; without an engine there is none to name.
    if (!m_mpv.HasHandle()) return;
    m_mpv.SetSpeed(speed);
    NotifyObserver();
    if (label.isEmpty() || !m_pSpeedLabel) return;
    if (!m_pSpeedLabel->IsVisible()) m_pSpeedLabel->SetVisible(true);
    m_pSpeedLabel->SetText(label);
}

void PlayerWindow::SetRate(double speed) {
    // As the menu's items are written: "0.25x", "1x", "1.5x".
    SetSpeed(speed, QString::number(speed, 'g', 3) + u'x');
}

QStringList PlayerWindow::EngineProtocols() const { return m_mpv.Protocols(); }

void PlayerWindow::ApplyVolumeSlider(const CProgressUI& slider) {
    m_mpv.SetVolume(static_cast<double>(slider.GetValue()));
    m_bMute = false;
    ApplyMute();
    NotifyObserver();
}

void PlayerWindow::ApplyMute() {
    if (!m_pVolumeBtn) return;
    m_pVolumeBtn->ApplyAttributeList(QString::fromLatin1(m_bMute ? kMutedLook : kUnmutedLook));
    ShowToggleState(m_pVolumeBtn, m_bMute);
    m_mpv.SetMute(m_bMute);
}

void PlayerWindow::RestorePosition() {
    const ResumeEntry* entry = Store().FindEntry(m_filePath);
    const double position = entry ? entry->progress : 0.0;
    if (position > kResumeThreshold)
        m_mpv.SeekAbsolute(position, 3);
    else
        TogglePause();
}

void PlayerWindow::SavePosition() {
    double position = m_pProgress ? m_pProgress->GetValue() / kProgressScale * m_duration : 0.0;
    if (const auto pos = m_mpv.GetDouble("time-pos")) position = *pos;
    SettingsStore& store = Store();
    // With nothing open there is no file to remember a position for.
    if (!m_filePath.isEmpty())
        store.EntryFor(m_filePath).progress = position < kResumeThreshold ? 0.0 : position;
    double volume = m_pVolume ? static_cast<double>(m_pVolume->GetValue()) : store.m_volume;
    if (const auto v = m_mpv.GetDouble("volume")) volume = *v;
    store.m_volume = volume;
    store.m_mute = m_bMute;
    store.Save();
}
