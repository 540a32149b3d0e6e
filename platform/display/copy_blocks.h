#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Copies the pixels of `area` (which must lie on the framebuffer) into 32-bit pixels whose rows
/// start `pitch` bytes apart: framebuffer pixel (x, y), turned into its value by `convert`,
/// fills the scale × scale block at ((x - area.left) × scale, (y - area.top) × scale). Bytes
/// past the scaled width of each row are not touched. The shared loop of the display
/// backends' pixel conversions: `convert` is inlined into it.
template <typename Convert>
void CopyBlocks(const Surface& framebuffer, const Rect& area, int32_t scale, uint8_t* destination,
                int32_t pitch, Convert convert) {
    // The framebuffer and the destination never overlap; saying so lets the compiler turn the
    // inner loops into vector code (several times faster).
    const int32_t width = area.Width();
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(scale) * 4;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const Color* __restrict from = framebuffer.Row(y) + area.left;
        uint8_t* __restrict to = destination + static_cast<ptrdiff_t>(y - area.top) * scale * pitch;
        if (scale == 1) {
            for (int32_t x = 0; x < width; ++x) {
                const uint32_t value = convert(from[x]);
                std::memcpy(to + static_cast<ptrdiff_t>(x) * 4, &value, 4);
            }
            continue;
        }
        // One physical row with every pixel repeated, then the block's other rows copied. Twice,
        // the most common scale, a pixel pair is one 64-bit store.
        if (scale == 2) {
            for (int32_t x = 0; x < width; ++x) {
                const uint64_t value = convert(from[x]);
                const uint64_t pair = value | value << 32;
                std::memcpy(to + static_cast<ptrdiff_t>(x) * 8, &pair, 8);
            }
        } else {
            for (int32_t x = 0; x < width; ++x) {
                const uint32_t value = convert(from[x]);
                for (int32_t k = 0; k < scale; ++k)
                    std::memcpy(to + (static_cast<ptrdiff_t>(x) * scale + k) * 4, &value, 4);
            }
        }
        for (int32_t k = 1; k < scale; ++k)
            std::memcpy(to + static_cast<ptrdiff_t>(k) * pitch, to, rowBytes);
    }
}

}  // namespace platform
