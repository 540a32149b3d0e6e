#include "platform/gfx/surface.h"

#include <algorithm>

namespace platform {

Surface::Surface(int32_t width, int32_t height, Color fill) {
    Resize(width, height, fill);
}

void Surface::Resize(int32_t width, int32_t height, Color fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill);
}

bool Surface::IsVisible(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return !clip_ || clip_->Contains({x, y});
}

void Surface::SetPixel(int32_t x, int32_t y, Color colour) {
    if (IsVisible(x, y)) pixels_[Index(x, y)] = colour;
}

}  // namespace platform
