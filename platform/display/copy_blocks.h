#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Copies the device pixels of `area` (which must lie inside pixels.DeviceArea()) into
/// 32-bit pixels whose rows start `pitch` bytes apart: window pixel (x, y), turned into its
/// value by `convert`, lands at (x - area.left, y - area.top). Bytes past the area's width in
/// each row are not touched. The shared loop of the display backends' pixel conversions:
/// `convert` is inlined into it.
template <typename Convert>
void CopyBlocks(const Surface& pixels, const Rect& area, uint8_t* destination, int32_t pitch,
                Convert convert) {
    // The pixels and the destination never overlap; saying so lets the compiler turn the
    // inner loop into vector code (several times faster).
    const int32_t width = area.Width();
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const Color* __restrict from = pixels.DevicePixelAt(area.left, y);
        uint8_t* __restrict to = destination + static_cast<ptrdiff_t>(y - area.top) * pitch;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t value = convert(from[x]);
            std::memcpy(to + static_cast<ptrdiff_t>(x) * 4, &value, 4);
        }
    }
}

}  // namespace platform
