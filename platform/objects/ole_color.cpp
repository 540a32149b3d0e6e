#include "platform/objects/ole_color.h"

#include <array>

namespace platform {

namespace {

// The classic desktop scheme, one entry per index; index 25 has no system colour.
constexpr std::array<std::optional<Color>, kSystemColorCount> kClassicScheme = {
    Rgb(212, 208, 200),  //  0 scroll bar
    Rgb(58, 110, 165),   //  1 desktop background
    Rgb(10, 36, 106),    //  2 active caption
    Rgb(128, 128, 128),  //  3 inactive caption
    Rgb(212, 208, 200),  //  4 menu
    Rgb(255, 255, 255),  //  5 window
    Rgb(0, 0, 0),        //  6 window frame
    Rgb(0, 0, 0),        //  7 menu text
    Rgb(0, 0, 0),        //  8 window text
    Rgb(255, 255, 255),  //  9 caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(64, 64, 64),     // 21 3D dark shadow
    Rgb(212, 208, 200),  // 22 3D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    std::nullopt,        // 25 unused
    Rgb(0, 0, 128),      // 26 hot-tracked item
    Rgb(166, 202, 240),  // 27 active caption gradient end
    Rgb(192, 192, 192),  // 28 inactive caption gradient end
    Rgb(10, 36, 106),    // 29 highlighted menu item
    Rgb(212, 208, 200),  // 30 menu bar
};

constexpr uint32_t kSystemColorFlag = 0x80000000;
constexpr uint32_t kPaletteRgbFlag = 0x02000000;

}  // namespace

std::optional<Color> SystemColor(int32_t index) {
    if (index < 0 || index >= kSystemColorCount) return std::nullopt;
    return kClassicScheme[static_cast<size_t>(index)];
}

Color SystemColor(SystemColorIndex index) {
    return *kClassicScheme[static_cast<size_t>(index)];
}

Color TranslateOleColor(OleColor ole) {
    const uint32_t kind = ole & 0xFF000000;
    if (kind == 0) return ole;
    if (kind == kPaletteRgbFlag) return ole & 0x00FFFFFF;
    if (kind == kSystemColorFlag && (ole & 0x00FFFF00) == 0) {
        return SystemColor(static_cast<int32_t>(ole & 0xFF)).value_or(0);
    }
    return 0;
}

}  // namespace platform
