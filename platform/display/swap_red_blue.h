#pragma once

#include <cstdint>

#include "platform/gfx/device_scale.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/image/image.h"

namespace platform {

/// Copies the device pixels of `area` (which must lie inside pixels.DeviceArea()) into a
/// 32-bit 0x00RRGGBB image of the area's size whose rows start `pitch` bytes apart, red and blue
/// exchanged, the top byte 0. Bytes of the destination past the area's width in each row are
/// not touched.
void CopySwappingRedBlue(const Surface& pixels, const Rect& area, uint8_t* destination,
                         int32_t pitch);

/// Copies a pointer picture into the colour pointer pixels that displays take: 0xAARRGGBB
/// with each colour channel multiplied by alpha, rounded to nearest. At `scale` the picture is
/// Edge(width) × Edge(height) pixels, packed one row after another, sampled as ScaledImage
/// does: blocks at whole scales, smooth at others. False, writing nothing, for a picture whose
/// pixel count does not match its size.
bool CopyPointerPixels(const Image& picture, DeviceScale scale, uint32_t* destination);

}  // namespace platform
