#pragma once
// GetKeyState for the modifier keys, as a window reads it on Windows: whether Shift, Ctrl or
// Alt was held when the key message being handled was sent. Shift+Tab therefore arrives as
// the plain WM_KEYDOWN with VK_TAB, and the receiver asks GetKeyState(VK_SHIFT), as a
// Windows dialog does. The window host records the modifiers of each key press for as long
// as its message is handled (KeyStateScope); outside a key message no key reads as down, so
// a message sent by the program itself never picks up a key the user happened to hold.

#include <Qt>

#include "toolkit/WindowMessages.h"

// The high bit (0x8000) is set while the key is down; VK_SHIFT, VK_CONTROL and VK_MENU are
// the keys known, every other key reads as up.
SHORT GetKeyState(WPARAM virtualKey);

// Makes GetKeyState answer with `modifiers` until the scope ends; scopes nest.
class KeyStateScope {
  public:
    explicit KeyStateScope(Qt::KeyboardModifiers modifiers);
    ~KeyStateScope();
    KeyStateScope(const KeyStateScope&) = delete;
    KeyStateScope& operator=(const KeyStateScope&) = delete;

  private:
    Qt::KeyboardModifiers m_previous;
};
