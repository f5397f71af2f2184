#pragma once
// The looks of the buttons that change with the player's state, as attribute lists applied to
// the live controls. Each ends with one space.

inline constexpr const char* kPlayLook =
    "tooltip=\"play\" normalimage=\"imgs/play_normal.png\" hotimage=\"imgs/play_hover.png\" "
    "pushedimage=\"imgs/play_hover.png\" ";
inline constexpr const char* kPlayingLook =
    "tooltip=\"pause\" normalimage=\"imgs/playing_normal.png\" hotimage=\"imgs/playing_hover.png\" "
    "pushedimage=\"imgs/playing_hover.png\" ";
inline constexpr const char* kPinnedLook =
    "normalimage=\"imgs/pin_normal.png\" hotimage=\"imgs/pin_hover.png\" "
    "pushedimage=\"imgs/pin_hover.png\" ";
inline constexpr const char* kUnpinnedLook =
    "normalimage=\"imgs/unpin_normal.png\" hotimage=\"imgs/unpin_hover.png\" "
    "pushedimage=\"imgs/unpin_hover.png\" ";
inline constexpr const char* kMutedLook =
    "tooltip=\"mute\" normalimage=\"imgs/volume_close_normal.png\" "
    "hotimage=\"imgs/volume_close_hover.png\" pushedimage=\"imgs/volume_close_hover.png\" ";
inline constexpr const char* kUnmutedLook =
    "tooltip=\"volume\" normalimage=\"imgs/volume_normal.png\" hotimage=\"imgs/volume_hover.png\" "
    "pushedimage=\"imgs/volume_hover.png\" ";
