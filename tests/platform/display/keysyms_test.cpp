#include "platform/display/keysyms.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace platform {
namespace {

struct KeyCase {
    uint32_t keysym;    // as the X protocol numbers it
    int32_t desktop;    // DesktopKeyCode, as the desktop numbers its virtual keys
    int32_t typed;      // TypedCharacter
    int32_t character;  // ControlCharacter of the desktop code
};

// Each rule at the edges of its range, keys that give nothing, and the named keys that only this
// test reaches, written as the X protocol and the desktop number them. Enter, Backspace, Escape,
// Tab, Delete, the left arrow and the left modifiers reach the window system through the X11
// and Wayland backends' input tests, the keypad's point and operators through the Wayland
// keyboard's and the key bindings' tests.
TEST(KeySymbols, MapsKeySymbolsToDesktopCodesAndCharacters) {
    const KeyCase cases[] = {
        // Letters (either case) and digits are their own desktop codes; the symbols beside
        // their ranges are only characters.
        {'a', 'A', 'a', 0},
        {'m', 'M', 'm', 0},
        {'z', 'Z', 'z', 0},
        {'A', 'A', 'A', 0},
        {'Z', 'Z', 'Z', 0},
        {'0', '0', '0', 0},
        {'9', '9', '9', 0},
        {'`', 0, '`', 0},
        {'{', 0, '{', 0},
        {'@', 0, '@', 0},
        {'[', 0, '[', 0},
        {'/', 0, '/', 0},
        {':', 0, ':', 0},
        // Latin-1 symbols type their own code, from space to tilde and from no-break space to
        // y diaeresis; the controls between and around them type nothing.
        {0x20, 32, ' ', 0},  // space, also the space bar's desktop code
        {'.', 0, '.', 0},
        {',', 0, ',', 0},
        {'%', 0, '%', 0},
        {0x7E, 0, '~', 0},
        {0x7F, 0, 0, 0},
        {0x9F, 0, 0, 0},
        {0xA0, 0, 0xA0, 0},
        {0xE9, 0, 233, 0},  // e acute
        {0xFF, 0, 0xFF, 0},
        {0x100, 0, 0, 0},
        // Unicode symbols: their code point, except surrogates, controls and beyond U+10FFFF.
        {0x10020AC, 0, 8364, 0},
        {0x1010348, 0, 0x10348, 0},
        {0x100D800, 0, 0, 0},
        {0x100DFFF, 0, 0, 0},
        {0x100000A, 0, 0, 0},
        {0x1000085, 0, 0, 0},
        {0x1110000, 0, 0, 0},
        // The keypad with Num Lock types digits and signs (KP_0 to KP_9, KP_Divide below them
        // and the rest of its signs); without, it moves (KP_End, KP_Begin, KP_Delete).
        {0xFFB0, 0, '0', 0},
        {0xFFB5, 0, '5', 0},
        {0xFFB9, 0, '9', 0},
        {0xFFBA, 0, 0, 0},  // no symbol, just above KP_9
        {0xFFAF, 0, '/', 0},
        {0xFFAC, 0, ',', 0},  // KP_Separator
        {0xFFBD, 0, '=', 0},  // KP_Equal
        {0xFF80, 0, ' ', 0},  // KP_Space
        {0xFF9C, 0, 0, 0},
        {0xFF9D, 0, 0, 0},
        {0xFF9F, 0, 0, 0},
        // Named keys with a desktop code and no character: ISO_Left_Tab as Tab, Home and End, the
        // up, right and down arrows, Insert, the right Shift, Control and Alt, F1, F4 and F9.
        {0xFE20, 9, 0, 0},
        {0xFF50, 36, 0, 0},
        {0xFF57, 35, 0, 0},
        {0xFF52, 38, 0, 0},
        {0xFF53, 39, 0, 0},
        {0xFF54, 40, 0, 0},
        {0xFF63, 45, 0, 0},
        {0xFFE2, 16, 0, 0},
        {0xFFE4, 17, 0, 0},
        {0xFFEA, 18, 0, 0},
        {0xFFBE, 112, 0, 0},
        {0xFFC1, 115, 0, 0},
        {0xFFC6, 120, 0, 0},
        // Function, control and modifier keys without a desktop code type nothing: F5, F12,
        // Caps_Lock, Num_Lock, Super_L, ISO_Level3_Shift, NoSymbol and VoidSymbol.
        {0xFFC2, 0, 0, 0},
        {0xFFC9, 0, 0, 0},
        {0xFFE5, 0, 0, 0},
        {0xFF7F, 0, 0, 0},
        {0xFFEB, 0, 0, 0},
        {0xFE03, 0, 0, 0},
        {0, 0, 0, 0},
        {0xFFFFFF, 0, 0, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << "keysym 0x" << c.keysym);
        EXPECT_EQ(DesktopKeyCode(c.keysym), c.desktop);
        EXPECT_EQ(TypedCharacter(c.keysym), c.typed);
        EXPECT_EQ(ControlCharacter(DesktopKeyCode(c.keysym)), c.character);
    }
}

}  // namespace
}  // namespace platform
