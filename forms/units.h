#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"

namespace forms {

/// Dots per inch of every surface; twips and HIMETRIC are converted at this resolution.
constexpr int32_t kDpi = 96;
constexpr int32_t kTwipsPerInch = 1440;
constexpr int32_t kHimetricPerInch = 2540;

/// value × numerator / denominator rounded to the nearest integer, halves away from zero, as the
/// desktop's MulDiv does; denominator must be positive.
constexpr int32_t MulDiv(int32_t value, int32_t numerator, int32_t denominator) {
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    const int64_t q =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int32_t>(q);
}

/// Pixels of a length in twips: 15 twips per pixel, rounded half away from zero (22 → 1).
constexpr int32_t TwipsToPixels(int32_t twips) {
    return MulDiv(twips, kDpi, kTwipsPerInch);
}

/// Twips of a length in pixels: exactly 15 per pixel.
constexpr int32_t PixelsToTwips(int32_t pixels) {
    return pixels * (kTwipsPerInch / kDpi);
}

/// Pixels of a HIMETRIC length: MulDiv(himetric, 96, 2540) (1984 → 75).
constexpr int32_t HimetricToPixels(int32_t himetric) {
    return MulDiv(himetric, kDpi, kHimetricPerInch);
}

/// HIMETRIC of a length in pixels: MulDiv(pixels, 2540, 96) (75 → 1984).
constexpr int32_t PixelsToHimetric(int32_t pixels) {
    return MulDiv(pixels, kHimetricPerInch, kDpi);
}

/// The pixel rectangle of a control placed in twips; each of left, top, width and height is
/// converted on its own, as the design data gives them.
inline platform::Rect TwipsRect(int32_t left, int32_t top, int32_t width, int32_t height) {
    return platform::Rect::FromSize(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                                    TwipsToPixels(height));
}

}  // namespace forms
