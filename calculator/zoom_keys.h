#pragma once

#include <cstdint>
#include <optional>

namespace calculator {

/// How far one zoom key steps the window's zoom.
constexpr double kZoomStep = 0.25;

/// The zoom that Ctrl with the key of X keysym `symbol` asks for, from `zoom`: plus (on the
/// keypad, or as the key that types it, whose own symbol is equals) a step more, minus a step
/// less, 0 the desktop's own scale (zoom 1); nothing for any other key. Held from 1 to 4.
std::optional<double> ZoomAfterKey(uint32_t symbol, double zoom);

}  // namespace calculator
