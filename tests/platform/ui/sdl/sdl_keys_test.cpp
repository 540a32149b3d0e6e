#include "platform/ui/sdl/sdl_keys.h"

#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include "platform/ui/keys.h"

namespace platform {
namespace {

struct KeyCase {
    SDL_Keycode sdl;
    int32_t desktop;
    int32_t character;  // typed besides SDL's text, 0 for none
};

TEST(SdlKeys, MapsToDesktopKeyCodesAndControlCharacters) {
    const KeyCase cases[] = {
        {SDLK_a, 'A', 0},
        {SDLK_m, 'M', 0},
        {SDLK_z, 'Z', 0},
        {SDLK_0, '0', 0},
        {SDLK_9, '9', 0},
        {SDLK_BACKSPACE, kKeyBackspace, 8},
        {SDLK_TAB, kKeyTab, 0},
        {SDLK_RETURN, kKeyEnter, 13},
        {SDLK_KP_ENTER, kKeyEnter, 13},
        {SDLK_ESCAPE, kKeyEscape, 27},
        {SDLK_SPACE, kKeySpace, 0},
        {SDLK_LEFT, kKeyLeft, 0},
        {SDLK_UP, kKeyUp, 0},
        {SDLK_RIGHT, kKeyRight, 0},
        {SDLK_DOWN, kKeyDown, 0},
        {SDLK_DELETE, kKeyDelete, 0},
        {SDLK_LSHIFT, kKeyShift, 0},
        {SDLK_RSHIFT, kKeyShift, 0},
        {SDLK_LCTRL, kKeyCtrl, 0},
        {SDLK_RCTRL, kKeyCtrl, 0},
        {SDLK_LALT, kKeyAlt, 0},
        {SDLK_RALT, kKeyAlt, 0},
        {SDLK_F4, kKeyF4, 0},
        // Keys the window system has no code for.
        {SDLK_F5, 0, 0},
        {SDLK_KP_5, 0, 0},
        {SDLK_PERIOD, 0, 0},
        {SDLK_HOME, 0, 0},
        {SDLK_UNKNOWN, 0, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.sdl);
        EXPECT_EQ(DesktopKeyCode(c.sdl), c.desktop);
        EXPECT_EQ(ControlCharacter(DesktopKeyCode(c.sdl)), c.character);
    }
}

}  // namespace
}  // namespace platform
