#include "platform/display/swap_red_blue.h"

#include "platform/display/copy_blocks.h"

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

void CopySwappingRedBlue(const Surface& framebuffer, const Rect& area, uint8_t* destination,
                         int32_t pitch) {
    CopyBlocks(framebuffer, area, destination, pitch, [](Color c) { return Swapped(c); });
}

void CopyPointerPixels(const Image& picture, DeviceScale scale, uint32_t* destination) {
    const int32_t width = scale.Edge(picture.width);
    const int32_t height = scale.Edge(picture.height);
    for (int32_t row = 0; row < height; ++row) {
        const size_t first = static_cast<size_t>(scale.LogicalAt(row)) * picture.width;
        for (int32_t column = 0; column < width; ++column)
            *destination++ = PremultipliedArgb(picture.pixels[first + scale.LogicalAt(column)]);
    }
}

}  // namespace platform
