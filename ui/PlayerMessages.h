#pragma once
// The main window's private messages. Only the program posts them, always to the main window.

#include "toolkit/MenuWnd.h"
#include "toolkit/WindowMessages.h"

inline constexpr UINT WM_MENU_PICK = UIMSG_MENU_PICK;     // a picked pop-up menu item
inline constexpr UINT WM_ENGINE_WAKEUP = WM_USER + 101;   // the engine has events queued
inline constexpr UINT WM_VIDEO_CLICK = WM_USER + 103;     // left button released on the video
inline constexpr UINT WM_VIDEO_DROPFILE = WM_USER + 104;  // files dropped on the video
inline constexpr UINT WM_RELAYOUT_VIDEO = WM_USER + 105;  // place the video window again
inline constexpr UINT WM_FILE_LOADED = WM_USER + 106;     // the engine loaded a file
inline constexpr UINT WM_VIDEO_DBLCLK = WM_USER + 107;    // left double click on the video

// The one window timer: it hides the bars in fullscreen once the pointer has rested.
inline constexpr UINT HIDE_BARS_TIMER_ID = 1001;
