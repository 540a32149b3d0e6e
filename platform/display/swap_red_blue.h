#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/image/image.h"

namespace platform {

/// Copies the pixels of `area` (which must lie on the framebuffer) into a 32-bit 0x00RRGGBB
/// image of the area's size times `scale` whose rows start `pitch` bytes apart: framebuffer
/// pixel (x, y) fills the scale × scale block at ((x - area.left) × scale, (y - area.top) ×
/// scale), red and blue exchanged, the top byte 0. Bytes of the destination past the scaled
/// width in each row are not touched.
void CopySwappingRedBlue(const Surface& framebuffer, const Rect& area, int32_t scale,
                         uint8_t* destination, int32_t pitch);

/// Copies a pointer picture into the colour pointer pixels that displays take: 0xAARRGGBB
/// with each colour channel multiplied by alpha, rounded to nearest, every picture pixel a
/// scale × scale block, rows of picture.width × scale pixels packed one after another.
void CopyPointerPixels(const Image& picture, int32_t scale, uint32_t* destination);

}  // namespace platform
