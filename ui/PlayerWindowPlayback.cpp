// PlayerWindow: opening files and the playback its controls ask the player for.

#include "platform/FileDialogService.h"
#include "platform/UiLanguage.h"
#include "ui/PlayerWindow.h"

namespace {

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
    if (!path.isEmpty()) {
        m_player.Open(path);
        return;
    }
    // The position is saved before the dialog, whatever the user then picks.
    m_player.SavePosition();
    const auto picked =
        m_fileDialog ? m_fileDialog->AskOpenFile(GetHWND(), OpenDialogFilters()) : std::nullopt;
    if (picked) m_player.Load(*picked);
}

void PlayerWindow::TogglePause() { m_player.TogglePause(); }

void PlayerWindow::SeekRelative(double seconds) { m_player.SeekBy(seconds); }

void PlayerWindow::SetSpeed(double speed) { m_player.SetSpeed(speed); }

void PlayerWindow::ApplyMute() {
    const bool muted = m_player.IsMuted();
    ApplyLook(m_pVolumeBtn, muted ? "look_muted" : "look_unmuted");
    ShowToggleState(m_pVolumeBtn, muted);
}
