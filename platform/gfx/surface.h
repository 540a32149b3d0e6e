#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/color.h"
#include "platform/gfx/device_scale.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

namespace platform {

/// A 32-bit drawing surface of plain colours 0x00BBGGRR, together with the state a device
/// context carries: the current position of line drawing, the text and background colours, and
/// an optional clip region.
///
/// Coordinates are logical pixels (96 per inch). The pixels are device pixels: the surface lies
/// on a SurfaceGrid, and logical pixel (x, y) is the block of device pixels between the grid's
/// edges of x .. x + 1 and y .. y + 1. At scale 1 a logical pixel is one device pixel. Drawing
/// operations take logical coordinates; those that can draw finer (text, curves, pictures) walk
/// the device pixels themselves.
///
/// Every drawing operation writes only pixels that lie on the surface and, when a clip region
/// is set, inside it; coordinates outside are never an error.
class Surface {
  public:
    Surface() = default;
    /// A surface of the given logical size with every pixel `fill`; negative sizes count as 0.
    Surface(int32_t width, int32_t height, Color fill = 0, SurfaceGrid grid = {});

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    const SurfaceGrid& Grid() const { return grid_; }
    const DeviceScale& Scale() const { return grid_.scale; }
    int32_t DeviceWidth() const { return deviceWidth_; }
    int32_t DeviceHeight() const { return deviceHeight_; }
    Rect DeviceBounds() const { return {0, 0, deviceWidth_, deviceHeight_}; }
    /// The device column of logical column edge x, and the device row of logical row edge y.
    int32_t DeviceX(int32_t x) const { return grid_.scale.Edge(grid_.origin.x + x) - deviceLeft_; }
    int32_t DeviceY(int32_t y) const { return grid_.scale.Edge(grid_.origin.y + y) - deviceTop_; }
    /// The device pixels of a logical rectangle.
    Rect ToDevice(const Rect& r) const {
        return {DeviceX(r.left), DeviceY(r.top), DeviceX(r.right), DeviceY(r.bottom)};
    }
    /// The device pixels of a logical region: each of its pixels' blocks.
    Region ToDevice(const Region& logical) const;
    /// The logical pixel that holds a device pixel.
    Point LogicalAt(Point device) const;
    /// The smallest logical rectangle whose device pixels hold `device`.
    Rect Cover(const Rect& device) const {
        return grid_.scale.Cover(device.Offset(deviceLeft_, deviceTop_))
            .Offset(-grid_.origin.x, -grid_.origin.y);
    }
    /// The device pixels the surface holds on its grid, which start at the device edges of the
    /// grid's origin: a window's surface lies on its top-level window's device pixels there.
    Rect DeviceArea() const { return DeviceBounds().Offset(deviceLeft_, deviceTop_); }
    /// The pixel that lies on device pixel (x, y) of the grid, which must be in DeviceArea();
    /// the pixels of a row follow it.
    const Color* DevicePixelAt(int32_t x, int32_t y) const {
        return pixels_.data() + Index(x - deviceLeft_, y - deviceTop_);
    }

    /// Reads logical pixel (x, y), which must lie on the surface (its top-left device pixel).
    Color Pixel(int32_t x, int32_t y) const { return pixels_[Index(DeviceX(x), DeviceY(y))]; }
    /// Writes a logical pixel's device pixels that are inside the clip region.
    void SetPixel(int32_t x, int32_t y, Color colour);
    /// True when logical pixel (x, y) is on the surface and its top-left device pixel inside the
    /// clip region.
    bool IsVisible(int32_t x, int32_t y) const;

    /// Direct access to device row y (0 <= y < DeviceHeight()) for operations that walk spans.
    Color* Row(int32_t y) { return pixels_.data() + Index(0, y); }
    const Color* Row(int32_t y) const { return pixels_.data() + Index(0, y); }
    const std::vector<Color>& Pixels() const { return pixels_; }

    /// Changes the size, on the same grid; the content is lost and every pixel becomes `fill`.
    void Resize(int32_t width, int32_t height, Color fill = 0) {
        Resize(width, height, fill, grid_);
    }
    /// Changes the size and the grid; the content is lost and every pixel becomes `fill`.
    void Resize(int32_t width, int32_t height, Color fill, SurfaceGrid grid);
    /// Gives the pixels' memory back: the surface is 0 x 0 until resized. Its grid, clip and
    /// colours stay.
    void Release();

    /// Calls fn(y, x0, x1) for every run of device pixels x0..x1-1 on device row y that lies in
    /// the logical rectangle, on the surface and inside the clip region; rows top to bottom,
    /// runs left to right.
    template <typename Fn>
    void ForEachVisibleSpan(const Rect& rect, Fn&& fn) const {
        ForEachDeviceSpan(ToDevice(rect), fn);
    }
    /// The same for a rectangle of device pixels.
    template <typename Fn>
    void ForEachDeviceSpan(const Rect& device, Fn&& fn) const;

    /// Limits drawing to a region of logical pixels.
    void SetClip(Region clip);
    /// Limits drawing to a region of device pixels, which may cut through logical ones; Clip()
    /// is then the rectangle of logical pixels that holds them.
    void SetDeviceClip(Region device);
    void ClearClip() {
        clip_.reset();
        deviceClip_.reset();
    }
    const std::optional<Region>& Clip() const { return clip_; }
    /// The clip region's device pixels.
    const std::optional<Region>& DeviceClip() const { return deviceClip_; }

    Point position;                    // where the next line starts
    Color textColor = 0x000000;        // text, and the even pixels of a focus rectangle
    Color backgroundColor = 0xFFFFFF;  // the odd pixels of a focus rectangle

  private:
    size_t Index(int32_t x, int32_t y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(deviceWidth_) + static_cast<size_t>(x);
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    SurfaceGrid grid_;
    int32_t deviceLeft_ = 0;  // the grid's device edge of the surface's left and top
    int32_t deviceTop_ = 0;
    int32_t deviceWidth_ = 0;
    int32_t deviceHeight_ = 0;
    std::vector<Color> pixels_;
    std::optional<Region> clip_;
    std::optional<Region> deviceClip_;
};

template <typename Fn>
void Surface::ForEachDeviceSpan(const Rect& device, Fn&& fn) const {
    const Rect r = device.Intersect(DeviceBounds());
    if (r.IsEmpty()) return;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        if (!deviceClip_) {
            fn(y, r.left, r.right);
            continue;
        }
        for (const Span& s : deviceClip_->RowSpans(y)) {
            const int32_t x0 = std::max(s.x0, r.left);
            const int32_t x1 = std::min(s.x1, r.right);
            if (x0 < x1) fn(y, x0, x1);
        }
    }
}

}  // namespace platform
