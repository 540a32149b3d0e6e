#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Copies the pixels of `area` (which must lie on the framebuffer) into a 32-bit 0x00RRGGBB
/// image of exactly the area's size whose rows start `pitch` bytes apart: framebuffer pixel
/// (x, y) goes to (x - area.left, y - area.top), red and blue exchanged, the top byte 0. Bytes
/// of the destination past the area's width in each row are not touched.
void CopySwappingRedBlue(const Surface& framebuffer, const Rect& area, uint8_t* destination,
                         int32_t pitch);

}  // namespace platform
