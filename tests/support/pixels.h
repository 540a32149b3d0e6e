#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/image/image.h"

namespace testsupport {

/// The pixel of `image` in column x of row y.
inline uint32_t PixelAt(const platform::Image& image, int32_t x, int32_t y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

/// How many pixels differ between two images of one size.
inline size_t DifferingPixels(const platform::Image& a, const platform::Image& b) {
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        differing += a.pixels[i] != b.pixels[i] ? 1 : 0;
    return differing;
}

}  // namespace testsupport
