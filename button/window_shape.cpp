#include "button/window_shape.h"

#include <initializer_list>

#include "platform/gfx/geometry.h"

namespace button {
namespace {

platform::Region WithoutPixels(platform::Region shape,
                               std::initializer_list<platform::Point> pixels) {
    for (const platform::Point& p : pixels) {
        shape = shape.Difference(platform::Region::FromRect({p.x, p.y, p.x + 1, p.y + 1}));
    }
    return shape;
}

}  // namespace

platform::Region BuildWindowShape(int32_t buttonType, int32_t w, int32_t h) {
    // A zero size must stay empty: the elliptic region of a degenerate box is a reversed
    // rectangle, which would be normalised into pixels.
    if (w <= 0 || h <= 0) return {};
    const platform::Region rect = platform::Region::FromRect({0, 0, w, h});
    switch (buttonType) {
        case 1:
        case 14:
            return WithoutPixels(rect, {{0, h - 1}, {w - 1, 0}, {0, 0}, {w - 1, h - 1}});
        case 5:
            return WithoutPixels(rect, {{0, h - 1}, {w - 1, 0}});
        case 3:
        case 4:
            return WithoutPixels(rect, {{0, 0},
                                        {1, 0},
                                        {0, 1},
                                        {0, h - 1},
                                        {1, h - 1},
                                        {0, h - 2},
                                        {w - 2, 0},
                                        {w - 1, 0},
                                        {w - 1, 1},
                                        {w - 2, h - 1},
                                        {w - 1, h - 1},
                                        {w - 1, h - 2}});
        case 13:
            return platform::Region::Ellipse({0, 0, w, h});
        default:
            return rect;
    }
}

}  // namespace button
