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

}  // namespace platform
