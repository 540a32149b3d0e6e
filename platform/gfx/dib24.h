#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Bytes of one row of a 24-bit device-independent bitmap `width` pixels wide: three per pixel,
/// padded to a multiple of four.
size_t Dib24Stride(int32_t width);

/// The rectangle's pixels as 24-bit device-independent bitmap bits: rows bottom-up (the first
/// row in the buffer is rect.bottom - 1), each pixel the bytes blue, green, red, each row
/// padded with zero bytes to Dib24Stride(width). Pixels of the rectangle off the surface read
/// as 0; the clip region does not limit reading. An empty rectangle gives no bytes.
std::vector<uint8_t> ReadDib24(const Surface& surface, const Rect& rect);

/// Writes width x height pixels of 24-bit device-independent bitmap bits (layout as ReadDib24)
/// with the image's top-left corner at `at`. When bits holds fewer than
/// Dib24Stride(width) * height bytes nothing is written; extra bytes are ignored. Pixels off
/// the surface or outside its clip region are skipped; the others keep their places.
void WriteDib24(Surface& surface, Point at, int32_t width, int32_t height,
                std::span<const uint8_t> bits);

}  // namespace platform
