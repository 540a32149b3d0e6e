#include "platform/gfx/focus_rect.h"

namespace platform {
namespace {

// The parity of a device pixel is its logical pixel's, so a scaled dot is a whole block.
void XorStrip(Surface& surface, const Rect& strip) {
    const Color byParity[2] = {surface.textColor, surface.backgroundColor};
    surface.ForEachVisibleSpan(strip, [&](int32_t y, int32_t x0, int32_t x1) {
        Color* row = surface.Row(y);
        for (int32_t x = x0; x < x1; ++x) {
            const Point logical = surface.LogicalAt({x, y});
            row[x] ^= byParity[(logical.x + logical.y) & 1];
        }
    });
}

}  // namespace

void DrawFocusRect(Surface& surface, const Rect& rect) {
    if (rect.IsEmpty()) return;
    const auto [left, top, right, bottom] = rect;
    XorStrip(surface, {left, top, right, top + 1});
    if (bottom - 1 == top) return;
    XorStrip(surface, {left, bottom - 1, right, bottom});
    XorStrip(surface, {left, top + 1, left + 1, bottom - 1});
    if (right - 1 == left) return;
    XorStrip(surface, {right - 1, top + 1, right, bottom - 1});
}

}  // namespace platform
