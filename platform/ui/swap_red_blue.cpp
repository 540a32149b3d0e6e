#include "platform/ui/swap_red_blue.h"

#include <cstring>

namespace platform {
namespace {

uint32_t Swapped(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

uint32_t PremultipliedArgb(uint32_t c) {
    const uint32_t alpha = c >> 24;
    const auto scale = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
    return (alpha << 24) | (scale(c & 0xFF) << 16) | (scale((c >> 8) & 0xFF) << 8) |
           scale((c >> 16) & 0xFF);
}

}  // namespace

void CopySwappingRedBlue(const Surface& framebuffer, const Rect& area, int32_t scale,
                         uint8_t* destination, int32_t pitch) {
    // The framebuffer and the destination never overlap; saying so lets the compiler turn the
    // inner loops into vector code (several times faster).
    const int32_t width = area.Width();
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(scale) * 4;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const Color* __restrict from = framebuffer.Row(y) + area.left;
        uint8_t* __restrict to =
            destination + static_cast<ptrdiff_t>(y - area.top) * scale * pitch;
        if (scale == 1) {
            for (int32_t x = 0; x < width; ++x) {
                const uint32_t swapped = Swapped(from[x]);
                std::memcpy(to + static_cast<ptrdiff_t>(x) * 4, &swapped, 4);
            }
            continue;
        }
        // One physical row with every pixel repeated, then the block's other rows copied. Twice,
        // the most common scale, a pixel pair is one 64-bit store.
        if (scale == 2) {
            for (int32_t x = 0; x < width; ++x) {
                const uint64_t swapped = Swapped(from[x]);
                const uint64_t pair = swapped | swapped << 32;
                std::memcpy(to + static_cast<ptrdiff_t>(x) * 8, &pair, 8);
            }
        } else {
            for (int32_t x = 0; x < width; ++x) {
                const uint32_t swapped = Swapped(from[x]);
                for (int32_t k = 0; k < scale; ++k)
                    std::memcpy(to + (static_cast<ptrdiff_t>(x) * scale + k) * 4, &swapped, 4);
            }
        }
        for (int32_t k = 1; k < scale; ++k)
            std::memcpy(to + static_cast<ptrdiff_t>(k) * pitch, to, rowBytes);
    }
}

void CopyPointerPixels(const Image& picture, int32_t scale, uint32_t* destination) {
    const int32_t width = picture.width * scale;
    for (int32_t row = 0; row < picture.height * scale; ++row)
        for (int32_t column = 0; column < width; ++column)
            *destination++ = PremultipliedArgb(
                picture.pixels[static_cast<size_t>(row / scale * picture.width + column / scale)]);
}

}  // namespace platform
