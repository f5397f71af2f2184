// PlayerWindow: what each command of the command table does, whether a key or a button
// gave it.

#include "toolkit/UIControl.h"
#include "ui/PlayerCommands.h"
#include "ui/PlayerWindow.h"

namespace {
constexpr double kKeySeekSeconds = 5.0;  // Left and Right
constexpr int kVolumeStep = 5;           // Up, Down and a wheel notch
constexpr double kSubtitleStep = 0.1;    // Z and X
}  // namespace

int PlayerWindow::VolumeStep() { return kVolumeStep; }

void PlayerWindow::RunCommand(PlayerCommand command, CControlUI* button) {
    switch (command) {
        case PlayerCommand::PlayPause:
            // The button asks for a file while none was opened; the key has nothing to play.
            if (button && m_player.FilePath().isEmpty())
                OpenMedia({});
            else
                TogglePause();
            break;
        case PlayerCommand::Stop:
            m_player.Stop();
            break;
        case PlayerCommand::StepBackward:
            SeekRelative(-Player::kStepSeconds);
            break;
        case PlayerCommand::StepForward:
            SeekRelative(Player::kStepSeconds);
            break;
        case PlayerCommand::SeekBackward:
            SeekRelative(-kKeySeekSeconds);
            break;
        case PlayerCommand::SeekForward:
            SeekRelative(kKeySeekSeconds);
            break;
        case PlayerCommand::VolumeUp:
            StepVolume(kVolumeStep);
            break;
        case PlayerCommand::VolumeDown:
            StepVolume(-kVolumeStep);
            break;
        case PlayerCommand::Mute:
            m_player.ToggleMute();
            break;
        case PlayerCommand::FullScreen:
            ToggleFullScreen();
            break;
        case PlayerCommand::Escape:
            if (m_bFullScreen)
                ToggleFullScreen();
            else
                SendSysCommand(SC_MINIMIZE);
            break;
        case PlayerCommand::Open:
            OpenMedia({});
            break;
        case PlayerCommand::Close:
            OnCloseClicked();
            break;
        case PlayerCommand::Minimise:
            SendSysCommand(SC_MINIMIZE);
            break;
        case PlayerCommand::Maximise:
            SendSysCommand(SC_MAXIMIZE);
            break;
        case PlayerCommand::Restore:
            SendSysCommand(SC_RESTORE);
            break;
        case PlayerCommand::Pin:
            TogglePin();
            break;
        case PlayerCommand::ShowTitle:
            ToggleTitle();
            break;
        case PlayerCommand::About:
            ShowAbout();
            break;
        case PlayerCommand::SpeedMenu:
            ShowSpeedMenu(button);
            break;
        case PlayerCommand::SubtitleMenu:
            ShowSubtitleMenu(button);
            break;
        case PlayerCommand::PreviousFile:
            m_player.Previous();
            break;
        case PlayerCommand::NextFile:
            m_player.Next();
            break;
        case PlayerCommand::AudioMenu:
            ShowAudioMenu(button);
            break;
        case PlayerCommand::CycleAudio:
            m_player.CycleAudio();
            break;
        case PlayerCommand::SubtitlesEarlier:
            ShiftSubtitles(-kSubtitleStep);
            break;
        case PlayerCommand::SubtitlesLater:
            ShiftSubtitles(kSubtitleStep);
            break;
        case PlayerCommand::PreviousChapter:
            m_player.StepChapter(-1);
            break;
        case PlayerCommand::NextChapter:
            m_player.StepChapter(1);
            break;
        case PlayerCommand::Screenshot:
            TakeScreenshot();
            break;
    }
}

void PlayerWindow::OnClickControl(CControlUI* sender) {
    if (const PlayerCommandInfo* info = CommandForControl(sender->GetName()))
        RunCommand(info->command, sender);
}

void PlayerWindow::OnKeyPressed(WPARAM key) {
    // A key held down repeats its command with every repeat; other keys do nothing.
    const PlayerCommandInfo* info = CommandForKey(key);
    if (!info || (m_mediaKeysFromSystem && key == info->mediaKey)) return;
    RunCommand(info->command, nullptr);
}
