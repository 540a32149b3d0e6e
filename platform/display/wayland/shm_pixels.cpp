#include "platform/display/wayland/shm_pixels.h"

#include "platform/display/copy_blocks.h"
#include "platform/display/swap_red_blue.h"

namespace platform {

void CopyOpaque(const Surface& pixels, const Rect& area, ShmChannelOrder order,
                uint8_t* destination, int32_t pitch) {
    if (order == ShmChannelOrder::BlueLowest) {
        CopySwappingRedBlue(pixels, area, destination, pitch);
        return;
    }
    CopyBlocks(pixels, area, destination, pitch, [](Color c) { return c; });
}

void CopyPremultiplied(const Surface& pixels, const Rect& area, ShmChannelOrder order,
                       uint8_t opacity, uint8_t* destination, int32_t pitch) {
    // Each channel's premultiplied value, looked up rather than divided for every pixel.
    uint32_t times[256];
    for (uint32_t channel = 0; channel < 256; ++channel)
        times[channel] = (channel * opacity + 127) / 255;
    const uint32_t alpha = static_cast<uint32_t>(opacity) << 24;
    const int lowShift = order == ShmChannelOrder::RedLowest ? 0 : 16;
    const int highShift = 16 - lowShift;
    CopyBlocks(pixels, area, destination, pitch, [&](Color c) {
        return alpha | times[c & 0xFF] << lowShift | times[(c >> 8) & 0xFF] << 8 |
               times[(c >> 16) & 0xFF] << highShift;
    });
}

}  // namespace platform
