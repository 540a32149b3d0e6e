#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"

namespace platform {

/// The mouse button bit (keys.h) of a wl_pointer button (a Linux input code: BTN_LEFT,
/// BTN_RIGHT, BTN_MIDDLE); 0 for every other button.
int32_t PointerButtonBit(uint32_t linuxButton);

/// A wl_pointer position (24.8 fixed point, in surface coordinates, which are the window's
/// logical pixels at any buffer scale) as the logical pixel it lies in: rounded down, also
/// left of or above the window while a button holds the pointer.
Point PointerPixel(int32_t fixedX, int32_t fixedY);

}  // namespace platform
