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
// logical pixel a device pixel lies in (`logicalAt`, less `at`; `edge` gives a logical pixel's
// first device pixel), so whole scales show each image pixel as an even block. Smooth: linear
// between the two image pixels nearest the device pixel's centre, for scales at which blocks
// would be uneven. Taps past the pixels held take the last one.
template <typename LogicalAt, typename Edge>
std::vector<Tap> Taps(int32_t deviceFirst, int32_t deviceLast, int32_t at, int32_t size,
                      int32_t held, int32_t targetFirst, int32_t targetCount, bool smooth,
                      LogicalAt logicalAt, Edge edge) {
    std::vector<Tap> taps;
    taps.reserve(static_cast<size_t>(deviceLast - deviceFirst));
    int32_t logical = logicalAt(deviceFirst);
    for (int32_t d = deviceFirst; d < deviceLast; ++d) {
        if (!smooth) {
            while (edge(logical + 1) <= d)
                ++logical;
            taps.push_back({std::min(logical - at, held - 1), 0});
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

// (x * (256 - weight) + y * weight + 128) >> 8 for each of the four channels x of `a` and y of
// `b`, two channels at a time in 16 bits each, which no sum overflows.
[[gnu::always_inline]] inline uint32_t Lerp(uint32_t a, uint32_t b, uint32_t weight) {
    constexpr uint32_t kEven = 0x00FF00FF;
    const uint32_t keep = 256 - weight;
    const uint32_t even = (((a & kEven) * keep + (b & kEven) * weight + 0x00800080) >> 8) & kEven;
    const uint32_t odd =
        ((a >> 8 & kEven) * keep + (b >> 8 & kEven) * weight + 0x00800080) & ~kEven;
    return even | odd;
}

size_t IndexOf(const Image& image, int32_t x, int32_t y) {
    return static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x);
}

// The rows of the image a row tap reads: its first, and the one below it (the same when there is
// none or the tap does not blend).
struct SourceRows {
    const uint32_t* top;
    const uint32_t* below;
};

SourceRows RowsOf(const Image& image, const Tap& row) {
    const uint32_t* top = image.pixels.data() + IndexOf(image, 0, row.first);
    if (row.weight == 0) return {top, top};
    return {top,
            image.pixels.data() + IndexOf(image, 0, std::min(row.first + 1, image.height - 1))};
}

// The image's value (all four channels) where a column's and a row's taps meet.
[[gnu::always_inline]] inline uint32_t Sample(const SourceRows& rows, int32_t width,
                                              const Tap& column, uint32_t rowWeight) {
    const uint32_t top = rows.top[column.first];
    if (column.weight == 0 && rowWeight == 0) return top;
    const int32_t right = std::min(column.first + 1, width - 1);
    return Lerp(Lerp(top, rows.top[right], column.weight),
                Lerp(rows.below[column.first], rows.below[right], column.weight), rowWeight);
}

// Writes an image pixel over a surface pixel by its alpha.
[[gnu::always_inline]] inline void Put(Color& out, uint32_t pixel) {
    const uint32_t alpha = pixel >> 24;
    if (alpha == 255) {
        out = pixel & 0xFFFFFF;
    } else if (alpha != 0) {
        out = Blend(out, pixel & 0xFFFFFF, alpha);
    }
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
    const std::vector<Tap> columns = Taps(
        shown.left, shown.right, at.x, wholeWidth, image.width, target.left, target.Width(), smooth,
        [&](int32_t d) {
            return surface.LogicalAt({d, 0}).x;
        },
        [&](int32_t x) { return surface.DeviceX(x); });
    const std::vector<Tap> rows = Taps(
        shown.top, shown.bottom, at.y, wholeHeight, image.height, target.top, target.Height(),
        smooth,
        [&](int32_t d) {
            return surface.LogicalAt({0, d}).y;
        },
        [&](int32_t y) { return surface.DeviceY(y); });
    if (smooth) {
        surface.ForEachDeviceSpan(shown, [&](int32_t y, int32_t x0, int32_t x1) {
            const Tap& row = rows[static_cast<size_t>(y - shown.top)];
            const SourceRows source = RowsOf(image, row);
            const Tap* column = columns.data() + (x0 - shown.left);
            Color* out = surface.Row(y);
            for (int32_t x = x0; x < x1; ++x, ++column)
                Put(out[x], Sample(source, image.width, *column, row.weight));
        });
        return;
    }
    // Sharp taps take one pixel each, straight from its row.
    const bool inverts = !image.invert.empty();
    const bool identity = surface.Scale().IsIdentity();
    surface.ForEachDeviceSpan(shown, [&](int32_t y, int32_t x0, int32_t x1) {
        const Tap& row = rows[static_cast<size_t>(y - shown.top)];
        const uint32_t* source = RowsOf(image, row).top;
        const Tap* column = columns.data() + (x0 - shown.left);
        Color* out = surface.Row(y);
        if (identity && !inverts) {
            // Device pixels are logical ones: the row's pixels follow each other.
            const uint32_t* from = source + column->first - x0;
            for (int32_t x = x0; x < x1; ++x)
                Put(out[x], from[x]);
            return;
        }
        for (int32_t x = x0; x < x1; ++x, ++column) {
            Put(out[x], source[column->first]);
            if (inverts) out[x] ^= image.invert[IndexOf(image, column->first, row.first)];
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
    const auto edge = [&](int32_t x) { return scale.Edge(x); };
    const std::vector<Tap> columns =
        Taps(0, width, 0, image.width, image.width, 0, width, smooth, logicalAt, edge);
    const std::vector<Tap> rows =
        Taps(0, height, 0, image.height, image.height, 0, height, smooth, logicalAt, edge);
    Image scaled{width, height, {}};
    scaled.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (const Tap& row : rows) {
        const SourceRows source = RowsOf(image, row);
        for (const Tap& column : columns)
            scaled.pixels.push_back(Sample(source, image.width, column, row.weight));
    }
    return scaled;
}

void DrawImage(Surface& surface, Point at, const Image& image) {
    DrawPart(surface, at, image, image.width, image.height);
}

void DrawImageTopLeft(Surface& surface, Point at, const ImagePart& part) {
    DrawPart(surface, at, part.image, part.wholeWidth, part.wholeHeight);
}

}  // namespace platform
