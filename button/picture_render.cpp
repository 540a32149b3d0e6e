#include "button/picture_render.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "platform/gfx/draw_image.h"
#include "platform/objects/picture.h"

namespace button {
namespace {

// The part `part` of the picture laid out as a w x h surface of plain colours, the way it lies
// in a memory device context; `part` lies inside that w x h.
platform::Surface SourceSurface(const platform::Picture& picture, const platform::Rect& part,
                                Color maskColour) {
    if (picture.Type() == platform::PictureType::Icon) {
        platform::Surface source(part.Width(), part.Height(), maskColour);
        platform::DrawImage(source, {-part.left, -part.top}, picture.Pixels());
        return source;
    }
    platform::Surface source(part.Width(), part.Height(), 0);
    const platform::Image& image = picture.Pixels();
    const int32_t rows = std::min(part.bottom, image.height) - part.top;
    const int32_t columns = std::min(part.right, image.width) - part.left;
    if (rows <= 0 || columns <= 0) return source;
    for (int32_t y = 0; y < rows; ++y) {
        const uint32_t* from =
            image.pixels.data() + static_cast<size_t>(part.top + y) * image.width + part.left;
        Color* to = source.Row(y);
        for (int32_t x = 0; x < columns; ++x)
            to[x] = from[x] & 0xFFFFFF;
    }
    return source;
}

// The colour the picture's pixel (x, y) XORs into what lies under it: 0 where it inverts
// nothing, outside the picture and for every pixel of a bitmap.
uint32_t InvertColour(const platform::Picture& picture, int32_t x, int32_t y) {
    const platform::Image& image = picture.Pixels();
    if (x >= image.width || y >= image.height) return 0;
    return image.InvertAt(static_cast<size_t>(y) * static_cast<size_t>(image.width) +
                          static_cast<size_t>(x));
}

// Grey of a pixel in double precision, both roundings halves to even (nearbyint's default).
uint8_t Grey(uint8_t red, uint8_t green, uint8_t blue) {
    const double r = std::nearbyint(red * 0.3);
    return static_cast<uint8_t>(std::nearbyint(green * 0.59 + r + blue * 0.11));
}

}  // namespace

// Each pixel depends on its own source and background pixel alone, and only pixels on the
// surface and inside its clip are written, so only the part of the picture that lands there is
// laid out and composited: a picture larger than the button costs a buffer of the button's
// size, not of its own. On a scaled surface every device pixel takes the picture pixel of the
// logical pixel it lies in.
void CompositePicture(platform::Surface& surface, int32_t x, int32_t y, int32_t w, int32_t h,
                      const forms::PicturePtr& picture, Color maskColour, bool useMaskColor,
                      const PictureInk& ink) {
    using Mode = PictureInk::Mode;
    if (w <= 0 || h <= 0) return;
    platform::Rect shown = platform::Rect::FromSize(x, y, w, h).Intersect(surface.Bounds());
    if (surface.Clip()) shown = shown.Intersect(surface.Clip()->Bounds());
    if (shown.IsEmpty()) return;
    const platform::Rect part = shown.Offset(-x, -y);  // in the picture's coordinates
    const platform::Surface source =
        picture ? SourceSurface(*picture, part, maskColour)
                : platform::Surface(part.Width(), part.Height(), maskColour);

    surface.ForEachVisibleSpan(shown, [&](int32_t deviceY, int32_t x0, int32_t x1) {
        Color* row = surface.Row(deviceY);
        const int32_t sourceY = surface.LogicalAt({x0, deviceY}).y - shown.top;
        for (int32_t deviceX = x0; deviceX < x1; ++deviceX) {
            const int32_t sourceX = surface.LogicalAt({deviceX, deviceY}).x - shown.left;
            const Color colour = source.Pixel(sourceX, sourceY);
            const uint32_t invert =
                useMaskColor && picture
                    ? InvertColour(*picture, part.left + sourceX, part.top + sourceY)
                    : 0;
            Color& out = row[deviceX];
            if (invert == 0 && useMaskColor && colour == maskColour) continue;
            // An inverting pixel brings what lies under it, XORed with its colour.
            const Color ours = invert != 0 ? (out ^ invert) & 0xFFFFFF : colour;
            const uint32_t red = platform::Red(ours);
            const uint32_t green = platform::Green(ours);
            const uint32_t blue = platform::Blue(ours);
            switch (ink.mode) {
                case Mode::DarkSilhouette:
                    if (red + green + blue > 384) break;
                    [[fallthrough]];
                case Mode::Silhouette:
                    out = ink.colour & 0xFFFFFF;
                    break;
                case Mode::Greyscale: {
                    const uint32_t grey =
                        Grey(static_cast<uint8_t>(red), static_cast<uint8_t>(green),
                             static_cast<uint8_t>(blue));
                    out = platform::Rgb(grey, grey, grey);
                    break;
                }
                case Mode::Blend:
                    out = platform::Rgb((2 * red + platform::Red(out)) / 3,
                                        (2 * green + platform::Green(out)) / 3,
                                        (2 * blue + platform::Blue(out)) / 3);
                    break;
                case Mode::Plain:
                    out = platform::Rgb(red, green, blue);
                    break;
            }
        }
    });
}

}  // namespace button
