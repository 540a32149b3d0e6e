#include "platform/display/keysyms.h"

#include <gtest/gtest.h>

#include "platform/ui/keys.h"

#include <X11/keysym.h>

namespace platform {
namespace {

struct KeyCase {
    uint32_t keysym;
    int32_t desktop;    // DesktopKeyCode
    int32_t typed;      // TypedCharacter
    int32_t character;  // ControlCharacter of the desktop code
};

TEST(KeySymbols, MapsKeySymbolsToDesktopCodesAndCharacters) {
    const KeyCase cases[] = {
        // Letters (either case) and digits.
        {XK_a, 'A', 'a', 0},
        {XK_m, 'M', 'm', 0},
        {XK_z, 'Z', 'z', 0},
        {XK_A, 'A', 'A', 0},
        {XK_Z, 'Z', 'Z', 0},
        {XK_0, '0', '0', 0},
        {XK_9, '9', '9', 0},
        // Keys with a desktop code; Enter, Backspace and Escape type control characters.
        {XK_BackSpace, kKeyBackspace, 0, 8},
        {XK_Tab, kKeyTab, 0, 0},
        {XK_ISO_Left_Tab, kKeyTab, 0, 0},
        {XK_Return, kKeyEnter, 0, 13},
        {XK_KP_Enter, kKeyEnter, 0, 13},
        {XK_Escape, kKeyEscape, 0, 27},
        {XK_space, kKeySpace, ' ', 0},
        {XK_Left, kKeyLeft, 0, 0},
        {XK_Up, kKeyUp, 0, 0},
        {XK_Right, kKeyRight, 0, 0},
        {XK_Down, kKeyDown, 0, 0},
        {XK_Insert, kKeyInsert, 0, 0},
        {XK_Delete, kKeyDelete, 0, 0},
        {XK_Shift_L, kKeyShift, 0, 0},
        {XK_Shift_R, kKeyShift, 0, 0},
        {XK_Control_L, kKeyCtrl, 0, 0},
        {XK_Control_R, kKeyCtrl, 0, 0},
        {XK_Alt_L, kKeyAlt, 0, 0},
        {XK_Alt_R, kKeyAlt, 0, 0},
        {XK_F4, kKeyF4, 0, 0},
        {XK_F9, kKeyF9, 0, 0},
        // Printable symbols without a desktop code: Latin-1 is its own code.
        {XK_period, 0, '.', 0},
        {XK_comma, 0, ',', 0},
        {XK_percent, 0, '%', 0},
        {XK_asciitilde, 0, '~', 0},
        {XK_nobreakspace, 0, 0xA0, 0},
        {XK_eacute, 0, 233, 0},
        {XK_ydiaeresis, 0, 0xFF, 0},
        // Unicode symbols: their code point, except surrogates, controls and beyond U+10FFFF.
        {0x10020AC, 0, 8364, 0},
        {0x1010348, 0, 0x10348, 0},
        {0x100D800, 0, 0, 0},
        {0x100DFFF, 0, 0, 0},
        {0x100000A, 0, 0, 0},
        {0x1000085, 0, 0, 0},
        {0x1110000, 0, 0, 0},
        // The keypad with Num Lock types digits and signs; without, it moves.
        {XK_KP_0, 0, '0', 0},
        {XK_KP_5, 0, '5', 0},
        {XK_KP_9, 0, '9', 0},
        {XK_KP_Decimal, 0, '.', 0},
        {XK_KP_Separator, 0, ',', 0},
        {XK_KP_Add, 0, '+', 0},
        {XK_KP_Subtract, 0, '-', 0},
        {XK_KP_Multiply, 0, '*', 0},
        {XK_KP_Divide, 0, '/', 0},
        {XK_KP_Equal, 0, '=', 0},
        {XK_KP_Space, 0, ' ', 0},
        {XK_KP_End, 0, 0, 0},
        {XK_KP_Begin, 0, 0, 0},
        {XK_KP_Delete, 0, 0, 0},
        // Function, control and modifier keys without a desktop code type nothing.
        {XK_F1, 0, 0, 0},
        {XK_F5, 0, 0, 0},
        {XK_F12, 0, 0, 0},
        {XK_Home, 0, 0, 0},
        {XK_Caps_Lock, 0, 0, 0},
        {XK_Num_Lock, 0, 0, 0},
        {XK_Super_L, 0, 0, 0},
        {XK_ISO_Level3_Shift, 0, 0, 0},
        {0, 0, 0, 0},  // NoSymbol
        {XK_VoidSymbol, 0, 0, 0},
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
