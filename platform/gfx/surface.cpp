#include "platform/gfx/surface.h"

#include <algorithm>

namespace platform {

Surface::Surface(int32_t width, int32_t height, Color fill, SurfaceGrid grid) {
    Resize(width, height, fill, grid);
}

void Surface::Resize(int32_t width, int32_t height, Color fill, SurfaceGrid grid) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    grid_ = grid;
    deviceLeft_ = grid.scale.Edge(grid.origin.x);
    deviceTop_ = grid.scale.Edge(grid.origin.y);
    deviceWidth_ = DeviceX(width_);
    deviceHeight_ = DeviceY(height_);
    pixels_.assign(static_cast<size_t>(deviceWidth_) * static_cast<size_t>(deviceHeight_), fill);
    if (clip_) SetClip(*std::move(clip_));
}

void Surface::Release() {
    Resize(0, 0);
    pixels_ = std::vector<Color>();
}

Point Surface::LogicalAt(Point device) const {
    return {grid_.scale.LogicalAt(device.x + deviceLeft_) - grid_.origin.x,
            grid_.scale.LogicalAt(device.y + deviceTop_) - grid_.origin.y};
}

bool Surface::IsVisible(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return !deviceClip_ || deviceClip_->Contains({DeviceX(x), DeviceY(y)});
}

void Surface::SetPixel(int32_t x, int32_t y, Color colour) {
    ForEachVisibleSpan({x, y, x + 1, y + 1}, [&](int32_t row, int32_t x0, int32_t x1) {
        std::fill(Row(row) + x0, Row(row) + x1, colour);
    });
}

Region Surface::ToDevice(const Region& logical) const {
    if (grid_.scale.IsIdentity()) return logical;
    return grid_.scale.Map(logical.Offset(grid_.origin.x, grid_.origin.y))
        .Offset(-deviceLeft_, -deviceTop_);
}

void Surface::SetClip(Region clip) {
    deviceClip_ = ToDevice(clip);
    clip_ = std::move(clip);
}

void Surface::SetDeviceClip(Region device) {
    clip_ = Region::FromRect(Cover(device.Bounds()));
    deviceClip_ = std::move(device);
}

}  // namespace platform
