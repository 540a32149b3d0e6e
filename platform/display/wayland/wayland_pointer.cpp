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

// fixed × per120 / (256 × 120), rounded toward minus infinity: a position half a pixel left of
// the surface is in column -1, not 0.
int32_t DeviceFloor(int32_t fixed, DeviceScale scale) {
    const int64_t scaled = int64_t{fixed} * scale.Per120();
    const int64_t unit = int64_t{256} * DeviceScale::kUnit;
    return static_cast<int32_t>(scaled >= 0 ? scaled / unit : -((-scaled + unit - 1) / unit));
}

}  // namespace

Point PointerDevicePixel(int32_t fixedX, int32_t fixedY, DeviceScale scale) {
    return {DeviceFloor(fixedX, scale), DeviceFloor(fixedY, scale)};
}

}  // namespace platform
