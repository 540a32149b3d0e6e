#include "platform/gfx/copy_rect.h"

#include <algorithm>
#include <vector>

namespace platform {

void CopyRect(Surface& dst, Point at, const Surface& src, const Rect& from) {
    const Rect readable = from.Intersect(src.Bounds());
    if (readable.IsEmpty()) return;
    const Rect target = readable.Offset(at.x - from.left, at.y - from.top);

    // A copy within one surface reads from a snapshot, so overlapping rectangles copy intact.
    Surface snapshot;
    const Surface* source = &src;
    if (&src == &dst) {
        snapshot = src;
        source = &snapshot;
    }
    // Each device pixel of the target takes the source's at the same distance from the
    // rectangles' top-left corners, the last row or column standing in where the source has
    // fewer; surfaces that lie alike on their window's device pixels (a control's background
    // taken from its parent) copy pixel for pixel.
    const Rect in = source->ToDevice(readable);
    const Rect out = dst.ToDevice(target);
    dst.ForEachDeviceSpan(out, [&](int32_t y, int32_t x0, int32_t x1) {
        const Color* row = source->Row(std::min(in.top + (y - out.top), in.bottom - 1));
        Color* to = dst.Row(y);
        for (int32_t x = x0; x < x1; ++x)
            to[x] = row[std::min(in.left + (x - out.left), in.right - 1)];
    });
}

}  // namespace platform
