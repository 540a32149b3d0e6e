#include "platform/gfx/ellipse.h"

#include <algorithm>

#include "platform/gfx/region.h"

namespace platform {

void DrawEllipse(Surface& surface, const Rect& logicalBox, Color outline, int32_t penWidth,
                 Color fill) {
    if (logicalBox.IsEmpty()) return;
    // Traced on the device pixels: the box and the pen are the device's.
    const Rect box = surface.ToDevice(logicalBox);
    const auto fillDevice = [&](const Rect& r, Color colour) {
        surface.ForEachDeviceSpan(r, [&](int32_t y, int32_t x0, int32_t x1) {
            std::fill(surface.Row(y) + x0, surface.Row(y) + x1, colour);
        });
    };
    const Region inside = Region::Ellipse({box.left, box.top, box.right + 1, box.bottom + 1});
    for (const Span& s : inside.Spans())
        fillDevice({s.x0, s.y, s.x1, s.y + 1}, fill);

    const int32_t pen = std::max(surface.Scale().Edge(std::max(penWidth, 1)), 1);
    const auto paint = [&](int64_t x, int64_t y) {
        const auto left = static_cast<int32_t>(box.left + x - pen / 2);
        const auto top = static_cast<int32_t>(box.top + y - pen / 2);
        fillDevice({left, top, left + pen, top + pen}, outline);
    };

    // 64-bit: the error terms grow with the square of the diameters.
    const int64_t w = box.Width();
    const int64_t h = box.Height();
    const int64_t a = w - 1;
    const int64_t b = h - 1;
    int64_t dx = 4 * b * b * (1 - a);
    int64_t dy = 4 * a * a * (1 + b % 2);
    int64_t err = dx + dy + a * a * (b % 2);
    int64_t x = a;
    int64_t y = h / 2;
    while (x >= w / 2) {
        paint(x, y);
        paint(a - x, y);
        paint(x, b - y);
        paint(a - x, b - y);
        const int64_t e2 = 2 * err;
        if (e2 >= dx) {
            --x;
            dx += 8 * b * b;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += 8 * a * a;
            err += dy;
        }
    }
    // A tall, narrow ellipse runs out of columns before rows; its tips continue straight up
    // and down the middle column or two, as the elliptic region's do.
    for (; y <= b; ++y) {
        paint(w / 2, y);
        paint(a - w / 2, y);
        paint(w / 2, b - y);
        paint(a - w / 2, b - y);
    }
}

}  // namespace platform
