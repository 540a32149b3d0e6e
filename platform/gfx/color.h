#pragma once

#include <cstdint>

namespace platform {

/// A plain colour 0x00BBGGRR: red in the lowest byte, then green, then blue; the top byte
/// is 0. Surfaces store their pixels in this same layout.
using Color = uint32_t;

constexpr Color Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}
constexpr uint32_t Red(Color c) {
    return c & 0xFF;
}
constexpr uint32_t Green(Color c) {
    return c >> 8 & 0xFF;
}
constexpr uint32_t Blue(Color c) {
    return c >> 16 & 0xFF;
}

/// `over` laid on `under` at `alpha` (0 keeps `under`, 255 gives `over`): per channel
/// (over × alpha + under × (255 − alpha) + 127) / 255 in integers, the exact mix rounded to
/// nearest (255 is odd, so there is never a tie).
constexpr Color Blend(Color under, Color over, uint32_t alpha) {
    const auto mix = [alpha](uint32_t o, uint32_t u) {
        return (o * alpha + u * (255 - alpha) + 127) / 255;
    };
    return Rgb(mix(Red(over), Red(under)), mix(Green(over), Green(under)),
               mix(Blue(over), Blue(under)));
}

}  // namespace platform
