#include "platform/image/jpeg_decode_memory.h"

#include <algorithm>

#include "platform/image/image.h"

namespace platform {
namespace {

constexpr int64_t kBytesPerBlock = 64 * sizeof(JCOEF);
constexpr int64_t kBytesPerPixel = 4;

int64_t RoundUp(int64_t value, int64_t multiple) {
    return (value + multiple - 1) / multiple * multiple;
}

}  // namespace

int64_t JpegDecodeBytes(const jpeg_decompress_struct& info) {
    int64_t bytes = kBytesPerPixel * info.image_width * info.image_height;
    // libjpeg decides the same way whether it buffers the whole image's coefficients.
    if (!info.progressive_mode && info.comps_in_scan >= info.num_components) return bytes;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        bytes += RoundUp(component.width_in_blocks, component.h_samp_factor) *
                 RoundUp(component.height_in_blocks, component.v_samp_factor) * kBytesPerBlock;
    }
    return bytes;
}

int64_t JpegDecodeBudget(int64_t maxPixels) {
    return std::min(kMaxJpegDecodeBytes, kJpegDecodeBytesPerPixel * maxPixels);
}

}  // namespace platform
