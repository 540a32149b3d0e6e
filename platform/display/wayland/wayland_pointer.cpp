#include "platform/display/wayland/wayland_pointer.h"

#include <linux/input-event-codes.h>

#include "platform/ui/keys.h"

namespace platform {

int32_t PointerButtonBit(uint32_t linuxButton) {
    switch (linuxButton) {
        case BTN_LEFT:
            return kButtonLeft;
        case BTN_RIGHT:
            return kButtonRight;
        case BTN_MIDDLE:
            return kButtonMiddle;
        default:
            return 0;
    }
}

namespace {

// The integer part of a 24.8 fixed-point number, rounded toward minus infinity: a position
// half a pixel left of the window is in column -1, not 0. Since C++20 a right shift of a
// negative number is arithmetic, which is exactly this rounding.
int32_t FixedFloor(int32_t fixed) {
    return fixed >> 8;
}

}  // namespace

Point PointerPixel(int32_t fixedX, int32_t fixedY) {
    return {FixedFloor(fixedX), FixedFloor(fixedY)};
}

}  // namespace platform
