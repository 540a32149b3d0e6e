#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

namespace platform {

/// A 32-bit drawing surface of plain colours 0x00BBGGRR, rows top-down, together with the
/// state a device context carries: the current position of line drawing, the text and
/// background colours, and an optional clip region in surface coordinates.
///
/// Every drawing operation writes only pixels that lie on the surface and, when a clip region
/// is set, inside it; coordinates outside are never an error.
class Surface {
  public:
    Surface() = default;
    /// A surface of the given size with every pixel `fill`; negative sizes count as 0.
    Surface(int32_t width, int32_t height, Color fill = 0);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    /// Reads a pixel; (x, y) must lie on the surface.
    Color Pixel(int32_t x, int32_t y) const { return pixels_[Index(x, y)]; }
    /// Writes a pixel when it is on the surface and inside the clip region.
    void SetPixel(int32_t x, int32_t y, Color colour);
    /// True when (x, y) is on the surface and inside the clip region.
    bool IsVisible(int32_t x, int32_t y) const;

    /// Direct access to row y (0 <= y < height) for operations that walk visible spans.
    Color* Row(int32_t y) { return pixels_.data() + Index(0, y); }
    const Color* Row(int32_t y) const { return pixels_.data() + Index(0, y); }
    const std::vector<Color>& Pixels() const { return pixels_; }

    /// Changes the size; the content is lost and every pixel becomes `fill`.
    void Resize(int32_t width, int32_t height, Color fill = 0);

    /// Calls fn(y, x0, x1) for every run of the rectangle's pixels x0..x1-1 on row y that lies on
    /// the surface and inside the clip region, rows top to bottom, runs left to right.
    template <typename Fn>
    void ForEachVisibleSpan(const Rect& rect, Fn&& fn) const;

    void SetClip(Region clip) { clip_ = std::move(clip); }
    void ClearClip() { clip_.reset(); }
    const std::optional<Region>& Clip() const { return clip_; }

    Point position;                    // where the next line starts
    Color textColor = 0x000000;        // text, and the even pixels of a focus rectangle
    Color backgroundColor = 0xFFFFFF;  // the odd pixels of a focus rectangle

  private:
    size_t Index(int32_t x, int32_t y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<Color> pixels_;
    std::optional<Region> clip_;
};

template <typename Fn>
void Surface::ForEachVisibleSpan(const Rect& rect, Fn&& fn) const {
    const Rect r = rect.Intersect(Bounds());
    if (r.IsEmpty()) return;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        if (!clip_) {
            fn(y, r.left, r.right);
            continue;
        }
        for (const Span& s : clip_->RowSpans(y)) {
            const int32_t x0 = std::max(s.x0, r.left);
            const int32_t x1 = std::min(s.x1, r.right);
            if (x0 < x1) fn(y, x0, x1);
        }
    }
}

}  // namespace platform
