#pragma once
// Every command a user gives the main window, declared once: the key that gives it, the
// layout's button that gives it and that button's tooltip id, and the request of the
// desktop's media controls that does the same. The key handler and the click handler both
// look commands up here; the tests hold --help's key list and the media controls to it.

#include <QString>
#include <span>

#include "toolkit/WindowMessages.h"

enum class PlayerCommand {
    PlayPause,
    Stop,
    StepBackward,
    StepForward,
    SeekBackward,
    SeekForward,
    VolumeUp,
    VolumeDown,
    Mute,
    FullScreen,
    Escape,
    Open,
    Close,
    Minimise,
    Maximise,
    Restore,
    Pin,
    ShowTitle,
    About,
    SpeedMenu,
    SubtitleMenu,
    PreviousFile,
    NextFile,
    AudioMenu,
    CycleAudio,
    SubtitlesEarlier,
    SubtitlesLater,
    PreviousChapter,
    NextChapter,
    Screenshot,
};

struct PlayerCommandInfo {
    PlayerCommand command;
    WPARAM key;             // its virtual-key code (letters as upper case), or 0
    const char* keyName;    // the key as --help names it, or null
    const char* control;    // the layout's name of its button, or null
    const char* tooltip;    // that button's tooltip id in the language tables, or null
    const char* mediaCall;  // the media controls' method or property that does it, or null
    WPARAM mediaKey;        // the keyboard's media key that gives it, or 0
};

std::span<const PlayerCommandInfo> PlayerCommands();
// The command of a key (a media key too) or of a button's name; null for none.
const PlayerCommandInfo* CommandForKey(WPARAM key);
const PlayerCommandInfo* CommandForControl(const QString& name);
