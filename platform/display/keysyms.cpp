#include "platform/display/keysyms.h"

#include <X11/keysym.h>

#include "platform/ui/keys.h"

namespace platform {

int32_t DesktopKeyCode(uint32_t keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<int32_t>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int32_t>(keysym);
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int32_t>(keysym);
    switch (keysym) {
        case XK_BackSpace:
            return kKeyBackspace;
        case XK_Tab:
        case XK_ISO_Left_Tab:
            return kKeyTab;
        case XK_Return:
        case XK_KP_Enter:
            return kKeyEnter;
        case XK_Escape:
            return kKeyEscape;
        case XK_space:
            return kKeySpace;
        case XK_End:
            return kKeyEnd;
        case XK_Home:
            return kKeyHome;
        case XK_Left:
            return kKeyLeft;
        case XK_Up:
            return kKeyUp;
        case XK_Right:
            return kKeyRight;
        case XK_Down:
            return kKeyDown;
        case XK_Insert:
            return kKeyInsert;
        case XK_Delete:
            return kKeyDelete;
        case XK_Shift_L:
        case XK_Shift_R:
            return kKeyShift;
        case XK_Control_L:
        case XK_Control_R:
            return kKeyCtrl;
        case XK_Alt_L:
        case XK_Alt_R:
            return kKeyAlt;
        case XK_F1:
            return kKeyF1;
        case XK_F4:
            return kKeyF4;
        case XK_F9:
            return kKeyF9;
        default:
            return 0;
    }
}

int32_t TypedCharacter(uint32_t keysym) {
    constexpr uint32_t kUnicodeKeysyms = 0x01000000;
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        return static_cast<int32_t>(keysym);
    if ((keysym & 0xFF000000) == kUnicodeKeysyms) {
        const uint32_t codePoint = keysym & 0x00FFFFFF;
        const bool printable = codePoint >= 0xA0 && codePoint <= 0x10FFFF &&
                               !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
        return printable ? static_cast<int32_t>(codePoint) : 0;
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return static_cast<int32_t>('0' + keysym - XK_KP_0);
    switch (keysym) {
        case XK_KP_Decimal:
            return '.';
        case XK_KP_Separator:
            return ',';
        case XK_KP_Add:
            return '+';
        case XK_KP_Subtract:
            return '-';
        case XK_KP_Multiply:
            return '*';
        case XK_KP_Divide:
            return '/';
        case XK_KP_Equal:
            return '=';
        case XK_KP_Space:
            return ' ';
        default:
            return 0;
    }
}

int32_t ControlCharacter(int32_t desktopKeyCode) {
    switch (desktopKeyCode) {
        case kKeyEnter:
            return 13;
        case kKeyBackspace:
            return 8;
        case kKeyEscape:
            return 27;
        default:
            return 0;
    }
}

Keystroke KeystrokeOf(uint32_t keysym, uint32_t key) {
    const int32_t code = DesktopKeyCode(keysym);
    const int32_t typed = TypedCharacter(keysym);
    return {key, code, typed != 0 ? typed : ControlCharacter(code), keysym};
}

uint32_t KeysymNamed(std::string_view name) {
    struct Named {
        std::string_view name;
        uint32_t keysym;
    };
    static constexpr Named kNamed[] = {
        {"Shift_L", XK_Shift_L},
        {"Control_L", XK_Control_L},
        {"Alt_L", XK_Alt_L},
        {"BackSpace", XK_BackSpace},
        {"Tab", XK_Tab},
        {"Return", XK_Return},
        {"Escape", XK_Escape},
        {"space", XK_space},
        {"Home", XK_Home},
        {"End", XK_End},
        {"Insert", XK_Insert},
        {"Delete", XK_Delete},
        {"Left", XK_Left},
        {"Up", XK_Up},
        {"Right", XK_Right},
        {"Down", XK_Down},
        {"F1", XK_F1},
        {"F4", XK_F4},
        {"F9", XK_F9},
        {"KP_Enter", XK_KP_Enter},
        {"KP_0", XK_KP_0},
        {"KP_1", XK_KP_1},
        {"KP_2", XK_KP_2},
        {"KP_3", XK_KP_3},
        {"KP_4", XK_KP_4},
        {"KP_5", XK_KP_5},
        {"KP_6", XK_KP_6},
        {"KP_7", XK_KP_7},
        {"KP_8", XK_KP_8},
        {"KP_9", XK_KP_9},
        {"KP_Decimal", XK_KP_Decimal},
        {"KP_Separator", XK_KP_Separator},
        {"KP_Add", XK_KP_Add},
        {"KP_Subtract", XK_KP_Subtract},
        {"KP_Multiply", XK_KP_Multiply},
        {"KP_Divide", XK_KP_Divide},
    };
    for (const Named& named : kNamed)
        if (named.name == name) return named.keysym;
    return 0;
}

}  // namespace platform
