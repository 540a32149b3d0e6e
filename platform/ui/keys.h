#pragma once

#include <cstdint>

namespace platform {

/// Mouse button bits, as handlers receive them: the button pressed or released, or on a move
/// every button held.
constexpr int32_t kButtonLeft = 1;
constexpr int32_t kButtonRight = 2;
constexpr int32_t kButtonMiddle = 4;

/// Shift bits: the modifier keys held while an input event happened.
constexpr int32_t kShiftShift = 1;
constexpr int32_t kShiftCtrl = 2;
constexpr int32_t kShiftAlt = 4;

/// Virtual key codes as the desktop numbers them. Letters and digits use their upper-case
/// character codes ('0'-'9' are 48-57, 'A'-'Z' are 65-90).
constexpr int32_t kKeyBackspace = 8;
constexpr int32_t kKeyTab = 9;
constexpr int32_t kKeyEnter = 13;
constexpr int32_t kKeyShift = 16;
constexpr int32_t kKeyCtrl = 17;
constexpr int32_t kKeyAlt = 18;
constexpr int32_t kKeyEscape = 27;
constexpr int32_t kKeySpace = 32;
constexpr int32_t kKeyEnd = 35;
constexpr int32_t kKeyHome = 36;
constexpr int32_t kKeyLeft = 37;
constexpr int32_t kKeyUp = 38;
constexpr int32_t kKeyRight = 39;
constexpr int32_t kKeyDown = 40;
constexpr int32_t kKeyInsert = 45;
constexpr int32_t kKeyDelete = 46;
constexpr int32_t kKeyF1 = 112;
constexpr int32_t kKeyF4 = 115;
constexpr int32_t kKeyF9 = 120;

/// A key going down or up as the display reports it: the key itself, by its XKB key code (X11's
/// keycode; wl_keyboard's number plus 8), which its press and release share; the desktop key
/// code of the key (0: none the window system knows); the character it types (0: none; a
/// release types none); and the X keysym it gives with the modifiers held (0: unknown), which
/// a screen reader hears of.
struct Keystroke {
    uint32_t key = 0;
    int32_t keyCode = 0;
    int32_t character = 0;
    uint32_t symbol = 0;
};

/// Two left presses on one window at most this far apart in time and, on each axis, in
/// distance make a double click.
constexpr int64_t kDoubleClickMs = 500;
constexpr int32_t kDoubleClickDistance = 4;

}  // namespace platform
