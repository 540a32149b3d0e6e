#include "platform/display/swap_red_blue.h"

#include <algorithm>

#include "platform/display/copy_blocks.h"
#include "platform/gfx/draw_image.h"

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

void CopySwappingRedBlue(const Surface& pixels, const Rect& area, uint8_t* destination,
                         int32_t pitch) {
    CopyBlocks(pixels, area, destination, pitch, [](Color c) { return Swapped(c); });
}

bool CopyPointerPixels(const Image& picture, DeviceScale scale, uint32_t* destination) {
    // Premultiplied before it is scaled, so that a pixel between an opaque and a transparent one
    // takes no colour from the transparent one.
    Image premultiplied = picture;
    for (uint32_t& pixel : premultiplied.pixels)
        pixel = PremultipliedArgb(pixel);
    const Image scaled = ScaledImage(premultiplied, scale);
    if (scaled.pixels.empty()) return false;
    std::copy(scaled.pixels.begin(), scaled.pixels.end(), destination);
    return true;
}

}  // namespace platform
