#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Copies the pixels of `area` (which must lie on the framebuffer) into a 32-bit 0x00RRGGBB
/// destination of the same size as the framebuffer whose rows start `pitch` bytes apart:
/// pixel (x, y) goes to the same (x, y), red and blue exchanged, the top byte 0. Pixels
/// outside `area` are not touched.
void CopySwappingRedBlue(const Surface& framebuffer, const Rect& area, uint8_t* destination,
                         int32_t pitch);

}  // namespace platform
