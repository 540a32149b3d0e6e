#include "platform/gfx/copy_rect.h"

#include <algorithm>

namespace platform {

void CopyRect(Surface& dst, Point at, const Surface& src, const Rect& from) {
    const Rect readable = from.Intersect(src.Bounds());
    if (readable.IsEmpty()) return;
    const int32_t dx = at.x - from.left;
    const int32_t dy = at.y - from.top;
    const Rect target = readable.Offset(dx, dy);

    // A copy within one surface reads from a snapshot, so overlapping rectangles copy intact.
    Surface snapshot;
    const Surface* source = &src;
    if (&src == &dst) {
        snapshot = src;
        source = &snapshot;
    }
    dst.ForEachVisibleSpan(target, [&](int32_t y, int32_t x0, int32_t x1) {
        const Color* in = source->Row(y - dy) + (x0 - dx);
        std::copy(in, in + (x1 - x0), dst.Row(y) + x0);
    });
}

}  // namespace platform
