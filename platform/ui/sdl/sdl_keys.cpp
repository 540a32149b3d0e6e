#include "platform/ui/sdl/sdl_keys.h"

#include <SDL_keycode.h>

#include "platform/ui/keys.h"

namespace platform {

int32_t DesktopKeyCode(int32_t sdlKeycode) {
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return '0' + (sdlKeycode - SDLK_0);
    switch (sdlKeycode) {
        case SDLK_BACKSPACE:
            return kKeyBackspace;
        case SDLK_TAB:
            return kKeyTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return kKeyEnter;
        case SDLK_ESCAPE:
            return kKeyEscape;
        case SDLK_SPACE:
            return kKeySpace;
        case SDLK_LEFT:
            return kKeyLeft;
        case SDLK_UP:
            return kKeyUp;
        case SDLK_RIGHT:
            return kKeyRight;
        case SDLK_DOWN:
            return kKeyDown;
        case SDLK_DELETE:
            return kKeyDelete;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return kKeyShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return kKeyCtrl;
        case SDLK_LALT:
        case SDLK_RALT:
            return kKeyAlt;
        case SDLK_F4:
            return kKeyF4;
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

}  // namespace platform
