#include "tools/artwork/raster.h"

#include <algorithm>
#include <cmath>

namespace artwork {
namespace {

uint32_t Channel(uint32_t colour, int shift) {
    return colour >> shift & 0xFF;
}

}  // namespace

platform::Image BlankImage(int32_t width, int32_t height) {
    return {width, height,
            std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), 0)};
}

platform::Image OnCanvas(const platform::Image& art, int32_t width, int32_t height) {
    platform::Image canvas = BlankImage(width, height);
    for (int32_t y = 0; y < std::min(height, art.height); ++y) {
        for (int32_t x = 0; x < std::min(width, art.width); ++x) {
            canvas.pixels[static_cast<size_t>(y) * width + x] =
                art.pixels[static_cast<size_t>(y) * art.width + x];
        }
    }
    return canvas;
}

void BlendPixel(platform::Image& image, int32_t x, int32_t y, uint32_t colour, double opacity) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height || opacity <= 0) return;
    uint32_t& pixel = image.pixels[static_cast<size_t>(y) * image.width + x];
    const double a = std::min(opacity, 1.0);
    const double d = Channel(pixel, 24) / 255.0;
    const double out = a + d * (1 - a);
    uint32_t result = static_cast<uint32_t>(std::lround(out * 255)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const double mixed =
            (Channel(colour, shift) * a + Channel(pixel, shift) * d * (1 - a)) / out;
        result |= static_cast<uint32_t>(std::lround(mixed)) << shift;
    }
    pixel = result;
}

uint32_t MixColour(uint32_t a, uint32_t b, double t) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double mixed =
            Channel(a, shift) +
            (static_cast<double>(Channel(b, shift)) - static_cast<double>(Channel(a, shift))) * t;
        result |= static_cast<uint32_t>(std::lround(mixed)) << shift;
    }
    return result;
}

void FillRoundBox(platform::Image& image, Box box, double radius, uint32_t topColour,
                  uint32_t bottomColour) {
    const int32_t height = box.bottom - box.top;
    for (int32_t y = box.top; y < box.bottom; ++y) {
        const double t = height > 1 ? static_cast<double>(y - box.top) / (height - 1) : 0;
        const uint32_t colour = MixColour(topColour, bottomColour, t);
        for (int32_t x = box.left; x < box.right; ++x) {
            // The centre of the corner circle nearest to this pixel, if it is in a corner.
            const double cx = x + 0.5 < box.left + radius    ? box.left + radius
                              : x + 0.5 > box.right - radius ? box.right - radius
                                                             : x + 0.5;
            const double cy = y + 0.5 < box.top + radius      ? box.top + radius
                              : y + 0.5 > box.bottom - radius ? box.bottom - radius
                                                              : y + 0.5;
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x + (sx + 0.5) / 4 - cx;
                    const double py = y + (sy + 0.5) / 4 - cy;
                    const bool inCorner = cx != x + 0.5 && cy != y + 0.5;
                    if (!inCorner || px * px + py * py <= radius * radius) ++inside;
                }
            }
            BlendPixel(image, x, y, colour, inside / 16.0);
        }
    }
}

}  // namespace artwork
