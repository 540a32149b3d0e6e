#pragma once

/// @file
/// The font of a button's caption.

#include <string>

namespace tavik {

/// The font a vbButton draws its caption in. The face is found by the desktop's font matching
/// ("Arial" finds Liberation Sans where Arial is not installed).
struct Font {
    /// The face name, at most 255 bytes (the stored settings hold no longer name).
    std::string name = "Arial";
    /// The size in points, 0.0001 to 429 496.7295; kept to four decimals.
    double points = 9;
    /// A bold face (weight 700) instead of the normal one (weight 400).
    bool bold = false;
    /// An italic face.
    bool italic = false;
    /// The caption underlined.
    bool underline = false;
    /// The caption struck through.
    bool strikethrough = false;
};

}  // namespace tavik
