#include "ui/PlayerCommands.h"

namespace {

using C = PlayerCommand;
// Letters arrive as their upper-case character code.
constexpr PlayerCommandInfo kCommands[] = {
    {C::PlayPause, VK_SPACE, "Space", "btn_play", "play", "PlayPause"},
    {C::Stop, 0, nullptr, "btn_stop", "stop", "Stop"},
    {C::StepBackward, 0, nullptr, "btn_backward", "backward", "Seek"},
    {C::StepForward, 0, nullptr, "btn_forward", "forward", "Seek"},
    {C::SeekBackward, VK_LEFT, "Left", nullptr, nullptr, "Seek"},
    {C::SeekForward, VK_RIGHT, "Right", nullptr, nullptr, "Seek"},
    {C::VolumeUp, VK_UP, "Up", nullptr, nullptr, "Volume"},
    {C::VolumeDown, VK_DOWN, "Down", nullptr, nullptr, "Volume"},
    {C::Mute, 'M', "M", "btn_volume", "volume", nullptr},
    {C::FullScreen, VK_F11, "F11", "btn_fullscreen", "fullscreen", nullptr},
    {C::Escape, VK_ESCAPE, "Escape", nullptr, nullptr, nullptr},
    {C::Open, 0, nullptr, "btn_open", "open", "OpenUri"},
    {C::Close, 0, nullptr, "closebtn", "close", "Quit"},
    {C::Minimise, 0, nullptr, "minbtn", "min", nullptr},
    {C::Maximise, 0, nullptr, "maxbtn", "max", nullptr},
    {C::Restore, 0, nullptr, "restorebtn", "restore", nullptr},
    {C::Pin, 0, nullptr, "pinbtn", "pin", nullptr},
    {C::ShowTitle, 0, nullptr, "infobtn", "infobtn", nullptr},
    {C::About, 0, nullptr, "menubtn", "sysmenu", nullptr},
    {C::SpeedMenu, 0, nullptr, "btn_speed", "speed", "Rate"},
    {C::SubtitleMenu, 0, nullptr, "btn_subtitle", "subtitle", nullptr},
};

}  // namespace

std::span<const PlayerCommandInfo> PlayerCommands() { return kCommands; }

const PlayerCommandInfo* CommandForKey(WPARAM key) {
    if (key == 0) return nullptr;
    for (const PlayerCommandInfo& info : kCommands) {
        if (info.key == key) return &info;
    }
    return nullptr;
}

const PlayerCommandInfo* CommandForControl(const QString& name) {
    for (const PlayerCommandInfo& info : kCommands) {
        if (info.control && name == QLatin1StringView(info.control)) return &info;
    }
    return nullptr;
}
