#include "platform/gfx/draw_image.h"

#include "platform/gfx/color.h"

namespace platform {
namespace {

uint32_t Mix(uint32_t image, uint32_t under, uint32_t alpha) {
    return (image * alpha + under * (255 - alpha) + 127) / 255;
}

}  // namespace

void DrawImage(Surface& surface, Point at, const Image& image) {
    if (image.width <= 0 || image.height <= 0) return;
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (image.pixels.size() != count || (!image.invert.empty() && image.invert.size() != count)) {
        return;
    }
    const Rect target = Rect::FromSize(at.x, at.y, image.width, image.height);
    surface.ForEachVisibleSpan(target, [&](int32_t y, int32_t x0, int32_t x1) {
        size_t index = static_cast<size_t>(y - at.y) * static_cast<size_t>(image.width) +
                       static_cast<size_t>(x0 - at.x);
        Color* out = surface.Row(y);
        for (int32_t x = x0; x < x1; ++x, ++index) {
            const uint32_t pixel = image.pixels[index];
            const uint32_t alpha = pixel >> 24;
            if (alpha == 255) {
                out[x] = pixel & 0xFFFFFF;
            } else if (alpha != 0) {
                out[x] = Rgb(Mix(Red(pixel), Red(out[x]), alpha),
                             Mix(Green(pixel), Green(out[x]), alpha),
                             Mix(Blue(pixel), Blue(out[x]), alpha));
            }
            out[x] ^= image.InvertAt(index);
        }
    });
}

}  // namespace platform
