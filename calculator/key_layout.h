#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/objects/ole_color.h"

namespace calculator {

/// One key of the calculator window as its design gives it: the control's name and index in
/// its group (none for keys that stand alone), caption, place and size in twips, tab index, and
/// the colours it is stored with (OLE colours; BackOver equals BackColor and ForeOver equals
/// ForeColor on every key).
struct KeyLayout {
    std::string_view name;
    std::optional<int32_t> index;
    std::string_view caption;
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    int32_t tabIndex;
    platform::OleColor backColor;
    platform::OleColor foreColor;
    int32_t colorScheme;
};

/// The 25 keys in the order their stored settings are kept.
inline constexpr std::array<KeyLayout, 25> kKeyLayouts = {{
    {"cmdNumber", 0, "1", 360, 840, 495, 495, 1, 0x00E0E0E0, 0x00000000, 1},
    {"cmdNumber", 1, "2", 960, 840, 495, 495, 2, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 2, "3", 1560, 840, 495, 495, 3, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 3, "4", 360, 1440, 495, 495, 4, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 4, "5", 960, 1440, 495, 495, 5, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 5, "6", 1560, 1440, 495, 495, 6, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 6, "7", 360, 2040, 495, 495, 7, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 7, "8", 960, 2040, 495, 495, 8, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 8, "9", 1560, 2040, 495, 495, 9, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 9, "0", 360, 2640, 495, 495, 10, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 10, ",", 360, 3240, 495, 495, 11, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 11, "000", 1560, 2640, 495, 495, 19, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdNumber", 12, "00", 960, 2640, 495, 495, 20, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdplusminus", std::nullopt, "+/-", 960, 3240, 1095, 495, 24, 0x00FF0000, 0x00FFFFFF, 1},
    {"cmdClear", std::nullopt, "Clear", 2520, 840, 735, 495, 12, 0x00E0E0E0, 0x00800080, 2},
    {"cmdback", std::nullopt, "C", 3600, 840, 735, 495, 18, 0x00E0E0E0, 0x00800080, 2},
    {"cmdoperator", 0, "+", 2520, 1440, 735, 495, 13, 0x00E0E0E0, 0x00800080, 2},
    {"cmdoperator", 1, "--", 3600, 1440, 735, 495, 14, 0x00E0E0E0, 0x00800080, 2},
    {"cmdoperator", 2, "X", 2520, 2040, 735, 495, 15, 0x00E0E0E0, 0x00800080, 2},
    {"cmdoperator", 3, "/", 3600, 2040, 735, 495, 16, 0x00E0E0E0, 0x00800080, 2},
    {"cmdpangkatdua", std::nullopt, "x^2", 2520, 2640, 735, 495, 21, 0x00E0E0E0, 0x00800080, 2},
    {"cmdoperator", 4, "%", 3600, 2640, 735, 495, 26, 0x00E0E0E0, 0x00800080, 2},
    {"cmdoperator", 5, "x^y", 2520, 3240, 735, 495, 22, 0x00E0E0E0, 0x00800080, 2},
    {"cmdakar", std::nullopt, "sqrt", 3600, 3240, 735, 495, 23, 0x00E0E0E0, 0x00800080, 2},
    {"cmdCalculate", std::nullopt, "=", 2520, 4080, 1815, 495, 17, 0x000000FF, 0x00FFFFFF, 2},
}};

}  // namespace calculator
