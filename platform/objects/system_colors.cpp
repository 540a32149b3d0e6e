#include "platform/objects/system_colors.h"

#include <array>

namespace platform {
namespace {

using Table = std::array<std::optional<Color>, kSystemColorCount>;

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

// One entry per index; index 25 has no system colour.
constexpr Table kClassic = {
    Rgb(212, 208, 200),  //  0 scroll bar
    Rgb(58, 110, 165),   //  1 desktop background
    Rgb(10, 36, 106),    //  2 active caption
    Rgb(128, 128, 128),  //  3 inactive caption
    Rgb(212, 208, 200),  //  4 menu
    kWhite,              //  5 window
    kBlack,              //  6 window frame
    kBlack,              //  7 menu text
    kBlack,              //  8 window text
    kWhite,              //  9 caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    kWhite,              // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    kBlack,              // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    kWhite,              // 20 button highlight
    Rgb(64, 64, 64),     // 21 3D dark shadow
    Rgb(212, 208, 200),  // 22 3D light
    kBlack,              // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    std::nullopt,        // 25 unused
    Rgb(0, 0, 128),      // 26 hot-tracked item
    Rgb(166, 202, 240),  // 27 active caption gradient end
    Rgb(192, 192, 192),  // 28 inactive caption gradient end
    Rgb(10, 36, 106),    // 29 highlighted menu item
    Rgb(212, 208, 200),  // 30 menu bar
};

// Light text on dark grey: every text at least 7:1 against its background, the 3-D edges
// lighter above and darker below the face as in the classic table.
constexpr Table kDark = {
    Rgb(60, 60, 60),     //  0 scroll bar
    Rgb(36, 36, 36),     //  1 desktop background
    Rgb(48, 48, 48),     //  2 active caption
    Rgb(36, 36, 36),     //  3 inactive caption
    Rgb(48, 48, 48),     //  4 menu
    Rgb(30, 30, 30),     //  5 window
    Rgb(20, 20, 20),     //  6 window frame
    Rgb(238, 238, 238),  //  7 menu text
    Rgb(238, 238, 238),  //  8 window text
    Rgb(238, 238, 238),  //  9 caption text
    Rgb(48, 48, 48),     // 10 active border
    Rgb(48, 48, 48),     // 11 inactive border
    Rgb(36, 36, 36),     // 12 application workspace
    Rgb(21, 83, 158),    // 13 highlight
    kWhite,              // 14 highlight text
    Rgb(58, 58, 58),     // 15 button face
    Rgb(32, 32, 32),     // 16 button shadow
    Rgb(150, 150, 150),  // 17 grey text
    Rgb(238, 238, 238),  // 18 button text
    Rgb(160, 160, 160),  // 19 inactive caption text
    Rgb(96, 96, 96),     // 20 button highlight
    Rgb(16, 16, 16),     // 21 3D dark shadow
    Rgb(77, 77, 77),     // 22 3D light
    Rgb(238, 238, 238),  // 23 tooltip text
    Rgb(48, 48, 48),     // 24 tooltip background
    std::nullopt,        // 25 unused
    Rgb(120, 174, 237),  // 26 hot-tracked item
    Rgb(48, 48, 48),     // 27 active caption gradient end
    Rgb(36, 36, 36),     // 28 inactive caption gradient end
    Rgb(21, 83, 158),    // 29 highlighted menu item
    Rgb(48, 48, 48),     // 30 menu bar
};

// White on black; every 3-D edge white, so that a bevel is a strong outline.
constexpr Table kHighContrastDark = {
    kBlack,             //  0 scroll bar
    kBlack,             //  1 desktop background
    kBlack,             //  2 active caption
    kBlack,             //  3 inactive caption
    kBlack,             //  4 menu
    kBlack,             //  5 window
    kWhite,             //  6 window frame
    kWhite,             //  7 menu text
    kWhite,             //  8 window text
    kWhite,             //  9 caption text
    kWhite,             // 10 active border
    kWhite,             // 11 inactive border
    kBlack,             // 12 application workspace
    Rgb(26, 235, 255),  // 13 highlight
    kBlack,             // 14 highlight text
    kBlack,             // 15 button face
    kWhite,             // 16 button shadow
    Rgb(63, 242, 63),   // 17 grey text
    kWhite,             // 18 button text
    Rgb(63, 242, 63),   // 19 inactive caption text
    kWhite,             // 20 button highlight
    kWhite,             // 21 3D dark shadow
    kWhite,             // 22 3D light
    kWhite,             // 23 tooltip text
    kBlack,             // 24 tooltip background
    std::nullopt,       // 25 unused
    Rgb(255, 255, 0),   // 26 hot-tracked item
    kBlack,             // 27 active caption gradient end
    kBlack,             // 28 inactive caption gradient end
    Rgb(26, 235, 255),  // 29 highlighted menu item
    kBlack,             // 30 menu bar
};

// Black on white; every 3-D edge black.
constexpr Table kHighContrastLight = {
    kWhite,           //  0 scroll bar
    kWhite,           //  1 desktop background
    kWhite,           //  2 active caption
    kWhite,           //  3 inactive caption
    kWhite,           //  4 menu
    kWhite,           //  5 window
    kBlack,           //  6 window frame
    kBlack,           //  7 menu text
    kBlack,           //  8 window text
    kBlack,           //  9 caption text
    kBlack,           // 10 active border
    kBlack,           // 11 inactive border
    kWhite,           // 12 application workspace
    Rgb(55, 0, 110),  // 13 highlight
    kWhite,           // 14 highlight text
    kWhite,           // 15 button face
    kBlack,           // 16 button shadow
    Rgb(96, 0, 0),    // 17 grey text
    kBlack,           // 18 button text
    Rgb(96, 0, 0),    // 19 inactive caption text
    kBlack,           // 20 button highlight
    kBlack,           // 21 3D dark shadow
    kBlack,           // 22 3D light
    kBlack,           // 23 tooltip text
    kWhite,           // 24 tooltip background
    std::nullopt,     // 25 unused
    Rgb(0, 0, 159),   // 26 hot-tracked item
    kWhite,           // 27 active caption gradient end
    kWhite,           // 28 inactive caption gradient end
    Rgb(55, 0, 110),  // 29 highlighted menu item
    kWhite,           // 30 menu bar
};

const Table& TableOf(SystemColorTable table) {
    switch (table) {
        case SystemColorTable::Dark:
            return kDark;
        case SystemColorTable::HighContrastDark:
            return kHighContrastDark;
        case SystemColorTable::HighContrastLight:
            return kHighContrastLight;
        case SystemColorTable::Classic:
            break;
    }
    return kClassic;
}

SystemColorTable inForce = SystemColorTable::Classic;

}  // namespace

SystemColorTable TableFor(const Appearance& appearance) {
    if (appearance.highContrast) {
        return appearance.colors == ColorPreference::Light ? SystemColorTable::HighContrastLight
                                                           : SystemColorTable::HighContrastDark;
    }
    return appearance.colors == ColorPreference::Dark ? SystemColorTable::Dark
                                                      : SystemColorTable::Classic;
}

bool ForcesColors(SystemColorTable table) {
    return table == SystemColorTable::HighContrastDark ||
           table == SystemColorTable::HighContrastLight;
}

std::optional<Color> SystemColorIn(SystemColorTable table, int32_t index) {
    if (index < 0 || index >= kSystemColorCount) return std::nullopt;
    return TableOf(table)[static_cast<size_t>(index)];
}

SystemColorTable SystemColorsInForce() {
    return inForce;
}

void UseSystemColors(SystemColorTable table) {
    inForce = table;
}

std::optional<Color> SystemColor(int32_t index) {
    return SystemColorIn(inForce, index);
}

Color SystemColor(SystemColorIndex index) {
    return *TableOf(inForce)[static_cast<size_t>(index)];
}

}  // namespace platform
