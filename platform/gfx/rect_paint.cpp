#include "platform/gfx/rect_paint.h"

#include <algorithm>

namespace platform {

void FillRect(Surface& surface, const Rect& rect, Color colour) {
    surface.ForEachVisibleSpan(rect, [&](int32_t y, int32_t x0, int32_t x1) {
        std::fill(surface.Row(y) + x0, surface.Row(y) + x1, colour);
    });
}

void FrameRect(Surface& surface, const Rect& rect, Color colour) {
    if (rect.IsEmpty()) return;
    const auto [left, top, right, bottom] = rect;
    FillRect(surface, {left, top, right, top + 1}, colour);
    FillRect(surface, {left, bottom - 1, right, bottom}, colour);
    FillRect(surface, {left, top, left + 1, bottom}, colour);
    FillRect(surface, {right - 1, top, right, bottom}, colour);
}

}  // namespace platform
