#include "platform/image/image.h"

namespace platform {

Image WithInvertStandIns(Image image) {
    constexpr uint32_t kOpaqueBlack = 0xFF000000;
    constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
    for (size_t i = 0; i < image.invert.size() && i < image.pixels.size(); ++i) {
        const uint32_t colour = image.invert[i];
        if (colour == 0) continue;
        const uint32_t sum = (colour & 0xFF) + (colour >> 8 & 0xFF) + (colour >> 16 & 0xFF);
        image.pixels[i] = sum > 384 ? kOpaqueBlack : kOpaqueWhite;
    }
    image.invert = std::vector<uint32_t>();
    return image;
}

}  // namespace platform
