#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/gfx/geometry.h"

namespace platform {

/// A horizontal run of pixels x0..x1-1 on row y.
struct Span {
    int32_t y = 0;
    int32_t x0 = 0;
    int32_t x1 = 0;

    friend bool operator==(const Span&, const Span&) = default;
};

/// An exact set of pixels, held as spans sorted by row then column; spans of one row never
/// overlap or touch. Regions clip painting and limit the hit testing of windows.
class Region {
  public:
    Region() = default;

    /// The pixels of the rectangle; a reversed rectangle is normalised first, so
    /// (5, 0, 0, 5) covers the same pixels as (0, 0, 5, 5).
    static Region FromRect(Rect rect);
    /// The pixels of any spans, in any order, overlapping or not; empty spans add nothing.
    static Region FromSpans(std::vector<Span> spans);

    /// The ellipse inscribed in the rectangle the way the desktop's elliptic regions are:
    /// one pixel smaller on the right and bottom than an ellipse drawn in the same rectangle.
    /// With r' = right - 1, b' = bottom - 1, w = r' - left and h = b' - top, a region with
    /// w < 2 or h < 2 is the rectangle (left, top, r', b'). Otherwise an integer midpoint
    /// recurrence over the diameters a = w - 1 and b = h - 1 gives each row i >= h / 2 the span
    /// left + x .. r' - x - 1, and row i < h / 2 mirrors row h - 1 - i; so rows top..bottom-2 are
    /// covered and the shape is symmetric in both axes. Rows that a tall, narrow ellipse leaves
    /// after its columns run out hold the middle column or two.
    static Region Ellipse(Rect rect);

    bool IsEmpty() const { return spans_.empty(); }
    bool Contains(Point p) const;
    /// The smallest rectangle holding every pixel; all zero when empty.
    Rect Bounds() const;
    /// Number of pixels in the region.
    int64_t Area() const;

    Region Difference(const Region& other) const;
    Region Intersect(const Region& other) const;
    Region Union(const Region& other) const;
    Region Offset(int32_t dx, int32_t dy) const;
    /// The region with every column and row edge moved through `edge`, which must be strictly
    /// increasing: row y's spans x0..x1 cover rows edge(y) .. edge(y + 1) - 1 and columns
    /// edge(x0) .. edge(x1) - 1.
    Region MapEdges(const std::function<int32_t(int32_t)>& edge) const;

    /// The spans, sorted by row then column.
    std::span<const Span> Spans() const { return spans_; }
    /// The spans of one row, sorted by column; empty when the row has no pixel.
    std::span<const Span> RowSpans(int32_t y) const;

    friend bool operator==(const Region&, const Region&) = default;

  private:
    explicit Region(std::vector<Span> spans) : spans_(std::move(spans)) {}

    enum class Op { Difference, Intersect, Union };
    Region Combine(const Region& other, Op op) const;

    std::vector<Span> spans_;
};

}  // namespace platform
