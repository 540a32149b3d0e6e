#pragma once

#include <cstdint>

#include "platform/gfx/device_scale.h"
#include "platform/gfx/geometry.h"

namespace platform {

/// The mouse button bit (keys.h) of a wl_pointer button (a Linux input code: BTN_LEFT,
/// BTN_RIGHT, BTN_MIDDLE); 0 for every other button.
int32_t PointerButtonBit(uint32_t linuxButton);

/// The device pixel that a wl_pointer position lies in on a surface the compositor shows at
/// `scale`: the position (24.8 fixed point, in the compositor's logical units) times the scale,
/// rounded down, also left of or above the surface while a button holds the pointer.
Point PointerDevicePixel(int32_t fixedX, int32_t fixedY, DeviceScale scale);

}  // namespace platform
