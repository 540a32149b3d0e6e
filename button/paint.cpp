#include "button/paint.h"

#include <cmath>
#include <cstdlib>

#include "button/vb_button.h"
#include "platform/gfx/ellipse.h"
#include "platform/gfx/focus_rect.h"
#include "platform/gfx/line.h"
#include "platform/gfx/rect_paint.h"

namespace button {

void PaintBevelOn(platform::Surface& surface, int32_t width, int32_t height, Color c1, Color c2,
                  Color c3, Color c4, int16_t inset, bool single) {
    const int32_t d = std::abs(static_cast<int32_t>(inset));
    const int32_t right = width - 1 + inset;
    const int32_t bottom = height - 1 + inset;
    platform::MoveTo(surface, {d, bottom});
    platform::LineTo(surface, {d, d}, c1);
    platform::LineTo(surface, {right, d}, c1);
    platform::LineTo(surface, {right, bottom}, c2);
    platform::LineTo(surface, {d - 1, bottom}, c2);
    platform::MoveTo(surface, {d + 1, bottom - 1});
    if (single) return;
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
                     float k, bool proportional, bool softBevel, bool downward) {
    for (int32_t i = 1; i <= height; ++i) {
        // The product is taken in single precision, as k is; nearbyint under the default
        // rounding mode rounds halves to even.
        const float amount = -k * static_cast<float>(i);
        const auto shift = static_cast<int32_t>(std::nearbyint(amount));
        const int32_t y = downward ? i : height - i;
        platform::MoveTo(surface, {0, y});
        platform::LineTo(surface, {width, y}, OffsetColor(colour, shift, proportional, softBevel));
    }
}

void PaintFocusRectOn(platform::Surface& surface, const platform::Rect& content, Color text,
                      bool showFocusRect, bool hasFocus) {
    if (!showFocusRect || !hasFocus) return;
    surface.textColor = text;
    platform::DrawFocusRect(surface, content);
}

void vbButton::PaintRect(int32_t x, int32_t y, int32_t width, int32_t height, Color colour,
                         bool frameOnly) {
    const Rect rect{x, y, x + width, y + height};
    if (frameOnly) {
        platform::FrameRect(Surface(), rect, colour);
    } else {
        platform::FillRect(Surface(), rect, colour);
    }
}

void vbButton::PaintEllipse(int32_t x, int32_t y, int32_t width, int32_t height, Color outline,
                            Color fill) {
    platform::DrawEllipse(Surface(), {x, y, x + width, y + height}, outline, 2, fill);
}

void vbButton::PaintLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color colour) {
    platform::MoveTo(Surface(), {x1, y1});
    platform::LineTo(Surface(), {x2, y2}, colour);
}

void vbButton::PaintBevel(Color c1, Color c2, Color c3, Color c4, int16_t inset, bool single) {
    PaintBevelOn(Surface(), width, height, c1, c2, c3, c4, inset, single);
}

void vbButton::PaintPixel(int32_t x, int32_t y, Color colour) {
    Surface().SetPixel(x, y, colour);
}

void vbButton::PaintFocusRect() {
    PaintFocusRectOn(Surface(), contentRect, palette.Text, showFocusRect, focus);
}

void vbButton::PaintCorners(Color colour) {
    PaintCornersOn(Surface(), width, height, colour);
}

void vbButton::PaintGradient(Color colour, float k, bool proportional, bool downward) {
    PaintGradientOn(Surface(), width, height, colour, k, proportional, softBevel, downward);
}

Color vbButton::Off(Color colour, int32_t amount) const {
    return OffsetColor(colour, amount, false, softBevel);
}

Color vbButton::OffP(Color colour, int32_t amount) const {
    return OffsetColor(colour, amount, true, softBevel);
}

}  // namespace button
