#include "platform/gfx/draw_image.h"

#include <algorithm>
#include <vector>

#include "platform/gfx/color.h"

namespace platform {
namespace {

// Where one device column (or row) of the image samples it: image pixel `first`, and with
// `weight` 256ths pixel first + 1.
struct Tap {
    int32_t first = 0;
    uint32_t weight = 0;
};

// The taps of device columns (or rows) deviceFirst .. deviceLast - 1, where the image's
// `size` pixels span device pixels `target` and its first `held` pixels are at hand. Sharp: the
// logical pixel a device pixel lies in (`logicalAt`, less `at`), so whole scales show each image
// pixel as an even block. Smooth: linear between the two image pixels nearest the device
// pixel's centre, for scales at which blocks would be uneven. Taps past the pixels held take the
// last one.
template <typename LogicalAt>
std::vector<Tap> Taps(int32_t deviceFirst, int32_t deviceLast, int32_t at, int32_t size,
                      int32_t held, int32_t targetFirst, int32_t targetCount, bool smooth,
                      LogicalAt logicalAt) {
    std::vector<Tap> taps;
    taps.reserve(static_cast<size_t>(deviceLast - deviceFirst));
    for (int32_t d = deviceFirst; d < deviceLast; ++d) {
        if (!smooth) {
            taps.push_back({std::min(logicalAt(d) - at, held - 1), 0});
            continue;
        }
        const double u = (d - targetFirst + 0.5) * size / targetCount - 0.5;
        const double clamped = std::clamp(u, 0.0, double(held - 1));
        const auto first = std::min(static_cast<int32_t>(clamped), held - 1);
        const auto weight = static_cast<uint32_t>((clamped - first) * 256 + 0.5);
        taps.push_back({first, first + 1 < held ? weight : 0});
    }
    return taps;
}

uint32_t Lerp(uint32_t a, uint32_t b, uint32_t weight) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t x = (a >> shift) & 0xFF;
        const uint32_t y = (b >> shift) & 0xFF;
        out |= ((x * (256 - weight) + y * weight + 128) >> 8) << shift;
    }
    return out;
}

size_t IndexOf(const Image& image, int32_t x, int32_t y) {
    return static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x);
}

// The image's value (all four channels) where a column's and a row's taps meet.
uint32_t Sample(const Image& image, const Tap& column, const Tap& row) {
    const uint32_t top = image.pixels[IndexOf(image, column.first, row.first)];
    if (column.weight == 0 && row.weight == 0) return top;
    const int32_t right = std::min(column.first + 1, image.width - 1);
    const int32_t below = std::min(row.first + 1, image.height - 1);
    return Lerp(Lerp(top, image.pixels[IndexOf(image, right, row.first)], column.weight),
                Lerp(image.pixels[IndexOf(image, column.first, below)],
                     image.pixels[IndexOf(image, right, below)], column.weight),
                row.weight);
}

// DrawImageTopLeft of `image`, the top-left part of an image of wholeWidth x wholeHeight.
void DrawPart(Surface& surface, Point at, const Image& image, int32_t wholeWidth,
              int32_t wholeHeight) {
    if (image.width <= 0 || image.height <= 0) return;
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (image.pixels.size() != count || (!image.invert.empty() && image.invert.size() != count)) {
        return;
    }
    wholeWidth = std::max(wholeWidth, image.width);
    wholeHeight = std::max(wholeHeight, image.height);
    const Rect target = surface.ToDevice(Rect::FromSize(at.x, at.y, wholeWidth, wholeHeight));
    const Rect shown =
        target.Intersect(surface.DeviceBounds())
            .Intersect(surface.ToDevice(Rect::FromSize(at.x, at.y, image.width, image.height)));
    if (shown.IsEmpty()) return;
    const bool smooth = !surface.Scale().IsWhole() && image.invert.empty();
    const std::vector<Tap> columns = Taps(shown.left, shown.right, at.x, wholeWidth, image.width,
                                          target.left, target.Width(), smooth, [&](int32_t d) {
                                              return surface.LogicalAt({d, 0}).x;
                                          });
    const std::vector<Tap> rows = Taps(shown.top, shown.bottom, at.y, wholeHeight, image.height,
                                       target.top, target.Height(), smooth, [&](int32_t d) {
                                           return surface.LogicalAt({0, d}).y;
                                       });
    surface.ForEachDeviceSpan(shown, [&](int32_t y, int32_t x0, int32_t x1) {
        const Tap& row = rows[static_cast<size_t>(y - shown.top)];
        Color* out = surface.Row(y);
        for (int32_t x = x0; x < x1; ++x) {
            const Tap& column = columns[static_cast<size_t>(x - shown.left)];
            const uint32_t pixel = Sample(image, column, row);
            const uint32_t alpha = pixel >> 24;
            if (alpha == 255) {
                out[x] = pixel & 0xFFFFFF;
            } else if (alpha != 0) {
                out[x] = Blend(out[x], pixel & 0xFFFFFF, alpha);
            }
            out[x] ^= image.InvertAt(IndexOf(image, column.first, row.first));
        }
    });
}

}  // namespace

Image ScaledImage(const Image& image, DeviceScale scale) {
    const size_t count = static_cast<size_t>(std::max(image.width, 0)) *
                         static_cast<size_t>(std::max(image.height, 0));
    if (count == 0 || image.pixels.size() != count) return {};
    const bool smooth = !scale.IsWhole();
    const int32_t width = scale.Edge(image.width);
    const int32_t height = scale.Edge(image.height);
    const auto logicalAt = [&](int32_t d) { return scale.LogicalAt(d); };
    const std::vector<Tap> columns =
        Taps(0, width, 0, image.width, image.width, 0, width, smooth, logicalAt);
    const std::vector<Tap> rows =
        Taps(0, height, 0, image.height, image.height, 0, height, smooth, logicalAt);
    Image scaled{width, height, {}};
    scaled.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (const Tap& row : rows)
        for (const Tap& column : columns)
            scaled.pixels.push_back(Sample(image, column, row));
    return scaled;
}

void DrawImage(Surface& surface, Point at, const Image& image) {
    DrawPart(surface, at, image, image.width, image.height);
}

void DrawImageTopLeft(Surface& surface, Point at, const ImagePart& part) {
    DrawPart(surface, at, part.image, part.wholeWidth, part.wholeHeight);
}

}  // namespace platform
