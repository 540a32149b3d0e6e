#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/keys.h"

namespace platform {

// Key symbols are numbered as the X protocol numbers them; xkbcommon, which Wayland
// compositors' keymaps go through, uses the same numbers.

/// The desktop virtual key code (keys.h) of a key, given the symbol on its first level (what the
/// key shows unshifted): letters as 'A'-'Z' (either case), digits as '0'-'9', BackSpace, Tab,
/// Return and KP_Enter as Enter, Escape, space, the four arrows, Insert, Delete, Shift, Control
/// and Alt (left or right), F4 and F9. 0 for every other key: the window system never sees it.
int32_t DesktopKeyCode(uint32_t keysym);

/// The character that a key with this symbol (after Shift, Caps Lock and Num Lock) types:
/// Latin-1 symbols are their own code, Unicode symbols (0x01000000 + code point) their code
/// point, the keypad's digits, point, comma, operators, equals and space their characters. 0
/// for symbols that type nothing printable (control and function keys, modifiers).
int32_t TypedCharacter(uint32_t keysym);

/// The character the desktop types with a key whose symbol types nothing printable: 13 for
/// Enter, 8 for Backspace, 27 for Escape; 0 for every other key code. Tab types nothing: the
/// window system uses it to move the focus, and a character 9 would reach the window that just
/// got it.
int32_t ControlCharacter(int32_t desktopKeyCode);

/// What a key whose symbol (after Shift, Caps Lock and Num Lock) is `keysym` gives the window
/// system when that symbol is also on its first level, as for the keys the display numbers `key`
/// that typing a text on a desktop presses: DesktopKeyCode, and TypedCharacter or else the
/// ControlCharacter, and the symbol itself.
Keystroke KeystrokeOf(uint32_t keysym, uint32_t key);

/// The symbol named `name` as the X protocol names it ("Return", "KP_Add", "F9"), for the keys
/// that type no character of their own, the left modifier keys and the keypad's keys; 0 for
/// any other name.
uint32_t KeysymNamed(std::string_view name);

}  // namespace platform
