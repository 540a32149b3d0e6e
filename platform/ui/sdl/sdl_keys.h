#pragma once

#include <cstdint>

namespace platform {

/// The desktop virtual key code (keys.h) of an SDL keycode: letters as 'A'-'Z', digits as
/// '0'-'9', Backspace, Tab, Enter (either Enter key), Escape, Space, the arrows, Delete, Shift,
/// Ctrl and Alt (left or right) and F4. 0 for every other key: the window system never sees it.
int32_t DesktopKeyCode(int32_t sdlKeycode);

/// The character the desktop types with a key that SDL reports no text for: 13 for Enter, 8 for
/// Backspace, 27 for Escape; 0 for every other key code. Tab types nothing: the window system
/// uses it to move the focus, and a character 9 would reach the window that just got it.
int32_t ControlCharacter(int32_t desktopKeyCode);

}  // namespace platform
