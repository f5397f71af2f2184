// PlayerWindow: opening files and the playback its controls ask the player for.

#include "platform/FileDialogService.h"
#include "ui/OpenDialogFilters.h"
#include "ui/PlayerWindow.h"

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
