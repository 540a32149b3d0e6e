#include "platform/gfx/line.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gfx/rect_paint.h"

namespace platform {
namespace {

// 2 * k * d.minor reaches 2^65 for lines between far-apart int32 coordinates.
__extension__ typedef __int128 Wide;

// ceil(num / den) for den > 0; C++ division truncates, which already is the ceiling for
// negative quotients.
int64_t CeilDiv(Wide num, int64_t den) {
    Wide q = num / den;
    if (num % den > 0) ++q;
    return static_cast<int64_t>(q);
}

// A line that is neither horizontal nor vertical. Pixel k's minor offset from the start is
// o(k) = ceil(v(k) / D) with v(k) = 2 k d.minor - n and D = 2n; the loop keeps
// e = o * D - v in 0 .. D-1, which is the classic Bresenham error term. It starts at the first
// k whose major coordinate lies on the surface, computed exactly, so clipping never moves a
// pixel.
void DrawSlantedLine(Surface& surface, Point from, int64_t dx, int64_t dy, Color colour) {
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const int64_t majorStart = xMajor ? from.x : from.y;
    const int64_t minorStart = xMajor ? from.y : from.x;
    const int64_t dMajor = xMajor ? dx : dy;
    const int64_t dMinor = xMajor ? dy : dx;
    const int64_t majorSize = xMajor ? surface.Width() : surface.Height();
    const int64_t minorSize = xMajor ? surface.Height() : surface.Width();
    const int64_t n = std::abs(dMajor);
    const int64_t step = dMajor > 0 ? 1 : -1;

    const int64_t kFirst =
        std::max<int64_t>(0, step > 0 ? -majorStart : majorStart - majorSize + 1);
    const int64_t kLast = std::min(n - 1, step > 0 ? majorSize - 1 - majorStart : majorStart);
    if (kFirst > kLast) return;

    const int64_t den = 2 * n;
    const Wide v = Wide{2} * kFirst * dMinor - n;
    int64_t offset = CeilDiv(v, den);
    int64_t error = static_cast<int64_t>(Wide{offset} * den - v);
    for (int64_t k = kFirst; k <= kLast; ++k) {
        const int64_t minor = minorStart + offset;
        if (minor >= 0 && minor < minorSize) {
            const auto major = static_cast<int32_t>(majorStart + k * step);
            const auto m = static_cast<int32_t>(minor);
            if (xMajor) {
                surface.SetPixel(major, m, colour);
            } else {
                surface.SetPixel(m, major, colour);
            }
        }
        error -= 2 * dMinor;
        if (error < 0) {
            error += den;
            ++offset;
        } else if (error >= den) {
            error -= den;
            --offset;
        }
    }
}

}  // namespace

void MoveTo(Surface& surface, Point to) {
    surface.position = to;
}

void LineTo(Surface& surface, Point to, Color colour) {
    const Point from = surface.position;
    surface.position = to;
    const int64_t dx = int64_t{to.x} - from.x;
    const int64_t dy = int64_t{to.y} - from.y;
    if (dy == 0) {
        const Rect run = dx > 0 ? Rect{from.x, from.y, to.x, from.y + 1}
                                : Rect{to.x + 1, from.y, from.x + 1, from.y + 1};
        FillRect(surface, run, colour);
    } else if (dx == 0) {
        const Rect run = dy > 0 ? Rect{from.x, from.y, from.x + 1, to.y}
                                : Rect{from.x, to.y + 1, from.x + 1, from.y + 1};
        FillRect(surface, run, colour);
    } else {
        DrawSlantedLine(surface, from, dx, dy, colour);
    }
}

}  // namespace platform
