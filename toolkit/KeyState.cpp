#include "toolkit/KeyState.h"

namespace {
// Key messages are handled on the UI thread only.
Qt::KeyboardModifiers g_modifiers;
}  // namespace

SHORT GetKeyState(WPARAM virtualKey) {
    Qt::KeyboardModifier modifier;
    switch (virtualKey) {
        case VK_SHIFT:
            modifier = Qt::ShiftModifier;
            break;
        case VK_CONTROL:
            modifier = Qt::ControlModifier;
            break;
        case VK_MENU:
            modifier = Qt::AltModifier;
            break;
        default:
            return 0;
    }
    return g_modifiers.testFlag(modifier) ? static_cast<SHORT>(0x8000) : SHORT{0};
}

KeyStateScope::KeyStateScope(Qt::KeyboardModifiers modifiers) : m_previous(g_modifiers) {
    g_modifiers = modifiers;
}

KeyStateScope::~KeyStateScope() { g_modifiers = m_previous; }
