#pragma once

/// @file
/// Colours as the button's properties take them.

#include <cstdint>

namespace tavik {

/// A colour as a vbButton property takes and stores it: either a plain colour 0x00BBGGRR (red in
/// the lowest byte), or a reference 0x800000nn to the desktop's system colour number nn, which
/// is turned into a plain colour only when the button derives its palette. The button stores
/// exactly the value it is given.
using OleColor = uint32_t;

/// The plain colour with these red, green and blue parts: 0x00BBGGRR.
constexpr OleColor Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<OleColor>(red) | static_cast<OleColor>(green) << 8 |
           static_cast<OleColor>(blue) << 16;
}

/// The reference 0x800000nn to system colour number `index` (0 to 255).
constexpr OleColor SystemColor(uint8_t index) {
    return 0x80000000u | index;
}

/// The system colour of a button's face (number 15), which a new button takes as BackColor.
inline constexpr OleColor kButtonFace = SystemColor(15);
/// The system colour of a button's caption (number 18), which a new button takes as ForeColor.
inline constexpr OleColor kButtonText = SystemColor(18);

}  // namespace tavik
