#pragma once
// MpvVideoWnd: the native child window the engine draws the picture into. It keeps the arrow
// cursor, lets the main window's caption and borders work across it (its hit test asks the
// main window), and tells the main window about clicks, double clicks and dropped files.

#include "toolkit/NativeChildWnd.h"

class MpvVideoWnd : public CNativeChildWnd {
  public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
