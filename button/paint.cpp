#include "button/paint.h"

#include <cmath>
#include <cstdlib>

#include "platform/gfx/focus_rect.h"
#include "platform/gfx/line.h"

namespace button {

void PaintBevelOn(platform::Surface& surface, int32_t width, int32_t height, Color c1, Color c2,
                  Color c3, Color c4, BevelPlace place, BevelFrames frames) {
    const auto inset = static_cast<int32_t>(place);
    const int32_t d = std::abs(inset);
    const int32_t right = width - 1 + inset;
    const int32_t bottom = height - 1 + inset;
    platform::MoveTo(surface, {d, bottom});
    platform::LineTo(surface, {d, d}, c1);
    platform::LineTo(surface, {right, d}, c1);
    platform::LineTo(surface, {right, bottom}, c2);
    platform::LineTo(surface, {d - 1, bottom}, c2);
    platform::MoveTo(surface, {d + 1, bottom - 1});
    if (frames == BevelFrames::Single) return;
    platform::LineTo(surface, {d + 1, d + 1}, c3);
    platform::LineTo(surface, {right - 1, d + 1}, c3);
    platform::LineTo(surface, {right - 1, bottom - 1}, c4);
    platform::LineTo(surface, {d, bottom - 1}, c4);
}

void PaintCornersOn(platform::Surface& surface, int32_t width, int32_t height, Color colour) {
    surface.SetPixel(1, 1, colour);
    surface.SetPixel(1, height - 2, colour);
    surface.SetPixel(width - 2, 1, colour);
    surface.SetPixel(width - 2, height - 2, colour);
}

void PaintGradientOn(platform::Surface& surface, int32_t width, int32_t height, Color colour,
                     float k, Shift shift, bool softBevel, Direction direction) {
    for (int32_t i = 1; i <= height; ++i) {
        // The product is taken in single precision, as k is; nearbyint under the default
        // rounding mode rounds halves to even.
        const auto amount = static_cast<int32_t>(std::nearbyint(-k * static_cast<float>(i)));
        const int32_t y = direction == Direction::Downward ? i : height - i;
        platform::MoveTo(surface, {0, y});
        platform::LineTo(surface, {width, y}, OffsetColor(colour, amount, shift, softBevel));
    }
}

void PaintFocusRectOn(platform::Surface& surface, const platform::Rect& content, Color text,
                      bool showFocusRect, bool hasFocus) {
    if (!showFocusRect || !hasFocus) return;
    surface.textColor = text;
    platform::DrawFocusRect(surface, content);
}

}  // namespace button
