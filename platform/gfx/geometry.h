#pragma once

#include <algorithm>
#include <cstdint>

namespace platform {

/// A point in pixels; x grows to the right, y downward.
struct Point {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

/// A rectangle in pixels covering columns left..right-1 and rows top..bottom-1
/// (right and bottom exclusive). A rectangle with right <= left or bottom <= top is empty.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    static Rect FromSize(int32_t x, int32_t y, int32_t width, int32_t height) {
        return {x, y, x + width, y + height};
    }

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    Rect Offset(int32_t dx, int32_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    Rect Inflate(int32_t dx, int32_t dy) const {
        return {left - dx, top - dy, right + dx, bottom + dy};
    }
    /// The common part of two rectangles; empty (all zero) when they do not overlap.
    Rect Intersect(const Rect& other) const {
        Rect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
               std::min(bottom, other.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    /// The smallest rectangle holding both; an empty rectangle adds nothing.
    Rect Union(const Rect& other) const {
        if (IsEmpty()) return other;
        if (other.IsEmpty()) return *this;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace platform
