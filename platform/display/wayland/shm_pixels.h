#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// How a wl_shm format orders a pixel's channels in its 32-bit value: blue lowest (ARGB8888,
/// XRGB8888) or red lowest (ABGR8888, XBGR8888) as drawing colours do.
enum class ShmChannelOrder { BlueLowest, RedLowest };

/// Copies the device pixels of `area` (which must lie inside pixels.DeviceArea()) into
/// 32-bit pixels of an opaque format (XRGB8888 or XBGR8888) whose rows start `pitch` bytes
/// apart: window pixel (x, y) lands at (x - area.left, y - area.top). The top byte, which
/// those formats ignore, is not defined.
void CopyOpaque(const Surface& pixels, const Rect& area, ShmChannelOrder order,
                uint8_t* destination, int32_t pitch);

/// As CopyOpaque, into a format with alpha (ARGB8888 or ABGR8888) at a whole-window opacity:
/// each colour channel becomes round(channel × opacity / 255), as compositors expect
/// premultiplied pixels, and alpha is the opacity.
void CopyPremultiplied(const Surface& pixels, const Rect& area, ShmChannelOrder order,
                       uint8_t opacity, uint8_t* destination, int32_t pitch);

}  // namespace platform
