#include "platform/gfx/focus_ring.h"

#include <algorithm>

#include "platform/gfx/contrast.h"

namespace platform {
namespace {

// The device pixel a ring pixel `p` takes its tone from: beyond `outer` for the outer line,
// within `inner` for the inner line.
Point Beside(Point p, const Rect& outer, const Rect& middle, const Rect& inner) {
    if (middle.Contains(p)) {
        return {std::clamp(p.x, inner.left, inner.right - 1),
                std::clamp(p.y, inner.top, inner.bottom - 1)};
    }
    const auto away = [](int32_t v, int32_t low, int32_t high, int32_t before, int32_t after) {
        return v < low ? before : v >= high ? after : v;
    };
    return {away(p.x, middle.left, middle.right, outer.left - 1, outer.right),
            away(p.y, middle.top, middle.bottom, outer.top - 1, outer.bottom)};
}

}  // namespace

void DrawFocusRing(Surface& picture, const Rect& around, const Rect& clip) {
    if (around.IsEmpty()) return;
    const Rect outer = picture.ToDevice(around.Inflate(2, 2));
    const Rect middle = picture.ToDevice(around.Inflate(1, 1));
    const Rect inner = picture.ToDevice(around);
    const Rect bounds = picture.DeviceBounds();
    const Rect area = outer.Intersect(clip).Intersect(bounds);
    for (int32_t y = area.top; y < area.bottom; ++y) {
        Color* row = picture.Row(y);
        for (int32_t x = area.left; x < area.right; ++x) {
            if (inner.Contains({x, y})) {
                x = inner.right - 1;
                continue;
            }
            const Point b = Beside({x, y}, outer, middle, inner);
            const Color beside = bounds.Contains(b) ? picture.Row(b.y)[b.x] : row[x];
            row[x] = BlackOrWhiteAgainst(beside);
        }
    }
}

}  // namespace platform
