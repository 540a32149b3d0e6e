#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace platform {

/// The weights of a font's normal and bold faces.
inline constexpr int16_t kFontWeightNormal = 400;
inline constexpr int16_t kFontWeightBold = 700;

/// A font as stored settings and the desktop describe it. Sizes are in points as a fixed-point
/// number with four decimals (9 pt is 90000, 14.25 pt is 142500).
struct FontDesc {
    std::string name = "MS Sans Serif";
    int64_t sizeCy = 82500;
    int16_t weight = kFontWeightNormal;
    int16_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    /// Bold means a weight above the midpoint between normal and bold.
    bool Bold() const { return weight > (kFontWeightNormal + kFontWeightBold) / 2; }
    void SetBold(bool bold) { weight = bold ? kFontWeightBold : kFontWeightNormal; }
    double SizePoints() const { return static_cast<double>(sizeCy) / 10000.0; }

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

/// A font of the ANSI character set (0) without italic, underline or strikethrough.
inline FontDesc PlainFont(std::string name, int64_t sizeCy, int16_t weight) {
    return {std::move(name), sizeCy, weight, 0, false, false, false};
}

}  // namespace platform
