#include "ui/PlayerCommands.h"

namespace {

using C = PlayerCommand;
// Letters arrive as their upper-case character code.
constexpr PlayerCommandInfo kCommands[] = {
    {C::PlayPause, VK_SPACE, "Space", "btn_play", "play", "PlayPause", VK_MEDIA_PLAY_PAUSE},
    {C::Stop, 0, nullptr, "btn_stop", "stop", "Stop", VK_MEDIA_STOP},
    {C::StepBackward, 0, nullptr, "btn_backward", "backward", "Seek", 0},
    {C::StepForward, 0, nullptr, "btn_forward", "forward", "Seek", 0},
    {C::SeekBackward, VK_LEFT, "Left", nullptr, nullptr, "Seek", 0},
    {C::SeekForward, VK_RIGHT, "Right", nullptr, nullptr, "Seek", 0},
    {C::VolumeUp, VK_UP, "Up", nullptr, nullptr, "Volume", 0},
    {C::VolumeDown, VK_DOWN, "Down", nullptr, nullptr, "Volume", 0},
    {C::Mute, 'M', "M", "btn_volume", "volume", nullptr, 0},
    {C::FullScreen, VK_F11, "F11", "btn_fullscreen", "fullscreen", nullptr, 0},
    {C::Escape, VK_ESCAPE, "Escape", nullptr, nullptr, nullptr, 0},
    {C::Open, 0, nullptr, "btn_open", "open", "OpenUri", 0},
    {C::Close, 0, nullptr, "closebtn", "close", "Quit", 0},
    {C::Minimise, 0, nullptr, "minbtn", "min", nullptr, 0},
    {C::Maximise, 0, nullptr, "maxbtn", "max", nullptr, 0},
    {C::Restore, 0, nullptr, "restorebtn", "restore", nullptr, 0},
    {C::Pin, 0, nullptr, "pinbtn", "pin", nullptr, 0},
    {C::ShowTitle, 0, nullptr, "infobtn", "infobtn", nullptr, 0},
    {C::About, 0, nullptr, "menubtn", "sysmenu", nullptr, 0},
    {C::SpeedMenu, 0, nullptr, "btn_speed", "speed", "Rate", 0},
    {C::SubtitleMenu, 0, nullptr, "btn_subtitle", "subtitle", nullptr, 0},
    {C::PreviousFile, 'P', "P", "btn_previous", "previous", "Previous", VK_MEDIA_PREV_TRACK},
    {C::NextFile, 'N', "N", "btn_next", "next", "Next", VK_MEDIA_NEXT_TRACK},
    {C::AudioMenu, 0, nullptr, "btn_audio", "audio", nullptr, 0},
    {C::CycleAudio, 'A', "A", nullptr, nullptr, nullptr, 0},
    {C::SubtitlesEarlier, 'Z', "Z", nullptr, nullptr, nullptr, 0},
    {C::SubtitlesLater, 'X', "X", nullptr, nullptr, nullptr, 0},
    {C::PreviousChapter, VK_PRIOR, "Page Up", nullptr, nullptr, nullptr, 0},
    {C::NextChapter, VK_NEXT, "Page Down", nullptr, nullptr, nullptr, 0},
    {C::Screenshot, 'S', "S", nullptr, nullptr, nullptr, 0},
};

}  // namespace

std::span<const PlayerCommandInfo> PlayerCommands() { return kCommands; }

const PlayerCommandInfo* CommandForKey(WPARAM key) {
    if (key == 0) return nullptr;
    for (const PlayerCommandInfo& info : kCommands) {
        if (info.key == key || info.mediaKey == key) return &info;
    }
    return nullptr;
}

const PlayerCommandInfo* CommandForControl(const QString& name) {
    for (const PlayerCommandInfo& info : kCommands) {
        if (info.control && name == QLatin1StringView(info.control)) return &info;
    }
    return nullptr;
}
