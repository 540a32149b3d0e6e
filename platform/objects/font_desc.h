#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// A font as stored settings and the desktop describe it. Sizes are in points as a fixed-point
/// number with four decimals (9 pt is 90000, 14.25 pt is 142500).
struct FontDesc {
    std::string name = "MS Sans Serif";
    int64_t sizeCy = 82500;
    int16_t weight = 400;
    int16_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    /// Bold means a weight above the midpoint between normal (400) and bold (700).
    bool Bold() const { return weight > 550; }
    void SetBold(bool bold) { weight = bold ? 700 : 400; }
    double SizePoints() const { return static_cast<double>(sizeCy) / 10000.0; }

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

}  // namespace platform
