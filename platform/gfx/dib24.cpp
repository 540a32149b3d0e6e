#include "platform/gfx/dib24.h"

#include "platform/gfx/color.h"

namespace platform {

size_t Dib24Stride(int32_t width) {
    return (3 * static_cast<size_t>(width) + 3) & ~size_t{3};
}

std::vector<uint8_t> ReadDib24(const Surface& surface, const Rect& rect) {
    if (rect.IsEmpty()) return {};
    const size_t stride = Dib24Stride(rect.Width());
    std::vector<uint8_t> bits(stride * static_cast<size_t>(rect.Height()), 0);
    const Rect on = rect.Intersect(surface.Bounds());
    for (int32_t y = on.top; y < on.bottom; ++y) {
        uint8_t* out = bits.data() + static_cast<size_t>(rect.bottom - 1 - y) * stride +
                       3 * static_cast<size_t>(on.left - rect.left);
        const Color* in = surface.Row(y);
        for (int32_t x = on.left; x < on.right; ++x) {
            *out++ = static_cast<uint8_t>(Blue(in[x]));
            *out++ = static_cast<uint8_t>(Green(in[x]));
            *out++ = static_cast<uint8_t>(Red(in[x]));
        }
    }
    return bits;
}

void WriteDib24(Surface& surface, Point at, int32_t width, int32_t height,
                std::span<const uint8_t> bits) {
    if (width <= 0 || height <= 0) return;
    const size_t stride = Dib24Stride(width);
    if (bits.size() / stride < static_cast<size_t>(height)) return;
    const Rect target = Rect::FromSize(at.x, at.y, width, height);
    surface.ForEachVisibleSpan(target, [&](int32_t y, int32_t x0, int32_t x1) {
        const uint8_t* in = bits.data() + static_cast<size_t>(target.bottom - 1 - y) * stride +
                            3 * static_cast<size_t>(x0 - target.left);
        Color* out = surface.Row(y);
        for (int32_t x = x0; x < x1; ++x, in += 3)
            out[x] = Rgb(in[2], in[1], in[0]);
    });
}

}  // namespace platform
