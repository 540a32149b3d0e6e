#include "button/picture_render.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "platform/gfx/dib24.h"
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

// Works on 24-bit bottom-up buffers (rows padded to four bytes, so any width keeps its rows
// straight), as a blit between device contexts would. Each pixel depends on its own source and
// background pixel alone, and only pixels on the surface and inside its clip are written, so
// only the part of the picture that lands there is laid out and composited: a picture larger
// than the button costs buffers of the button's size, not of its own.
void CompositePicture(platform::Surface& surface, int32_t x, int32_t y, int32_t w, int32_t h,
                      const forms::PicturePtr& picture, Color maskColour, bool useMaskColor,
                      const PictureInk& ink) {
    using Mode = PictureInk::Mode;
    if (w <= 0 || h <= 0) return;
    platform::Rect shown = platform::Rect::FromSize(x, y, w, h).Intersect(surface.Bounds());
    if (surface.Clip()) shown = shown.Intersect(surface.Clip()->Bounds());
    if (shown.IsEmpty()) return;
    const platform::Rect part = shown.Offset(-x, -y);  // in the picture's coordinates
    const int32_t width = part.Width();
    const int32_t height = part.Height();
    const platform::Surface source = picture ? SourceSurface(*picture, part, maskColour)
                                             : platform::Surface(width, height, maskColour);
    std::vector<uint8_t> background = platform::ReadDib24(surface, shown);
    const std::vector<uint8_t> pixels = platform::ReadDib24(source, source.Bounds());

    const std::optional<Color> mask =
        useMaskColor ? std::optional<Color>(maskColour) : std::nullopt;
    const size_t stride = platform::Dib24Stride(width);
    for (int32_t row = 0; row < height; ++row) {
        const int32_t pictureY = part.bottom - 1 - row;  // the buffers' rows run bottom-up
        for (int32_t column = 0; column < width; ++column) {
            const size_t at = static_cast<size_t>(row) * stride + static_cast<size_t>(column) * 3;
            uint8_t* out = background.data() + at;
            uint8_t blue = pixels[at];
            uint8_t green = pixels[at + 1];
            uint8_t red = pixels[at + 2];
            const uint32_t invert =
                mask && picture ? InvertColour(*picture, part.left + column, pictureY) : 0;
            if (invert != 0) {
                blue = static_cast<uint8_t>(out[0] ^ platform::Blue(invert));
                green = static_cast<uint8_t>(out[1] ^ platform::Green(invert));
                red = static_cast<uint8_t>(out[2] ^ platform::Red(invert));
            } else if (mask && platform::Rgb(red, green, blue) == *mask) {
                continue;
            }
            switch (ink.mode) {
                case Mode::DarkSilhouette:
                    if (red + green + blue > 384) break;
                    [[fallthrough]];
                case Mode::Silhouette:
                    out[0] = static_cast<uint8_t>(platform::Blue(ink.colour));
                    out[1] = static_cast<uint8_t>(platform::Green(ink.colour));
                    out[2] = static_cast<uint8_t>(platform::Red(ink.colour));
                    break;
                case Mode::Greyscale:
                    out[0] = out[1] = out[2] = Grey(red, green, blue);
                    break;
                case Mode::Blend:
                    out[0] = static_cast<uint8_t>((2 * blue + out[0]) / 3);
                    out[1] = static_cast<uint8_t>((2 * green + out[1]) / 3);
                    out[2] = static_cast<uint8_t>((2 * red + out[2]) / 3);
                    break;
                case Mode::Plain:
                    out[0] = blue;
                    out[1] = green;
                    out[2] = red;
                    break;
            }
        }
    }
    platform::WriteDib24(surface, {shown.left, shown.top}, width, height, background);
}

}  // namespace button
