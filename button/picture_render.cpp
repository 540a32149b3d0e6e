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

// The picture as a w x h surface of plain colours, the way it lies in a memory device context.
platform::Surface SourceSurface(const platform::Picture& picture, int32_t w, int32_t h,
                                Color maskColour) {
    if (picture.Type() == platform::PictureType::Icon) {
        platform::Surface source(w, h, maskColour);
        platform::DrawImage(source, {0, 0}, picture.Pixels());
        return source;
    }
    platform::Surface source(w, h, 0);
    const platform::Image& image = picture.Pixels();
    const int32_t rows = std::min(h, image.height);
    const int32_t columns = std::min(w, image.width);
    for (int32_t y = 0; y < rows; ++y) {
        const uint32_t* from = image.pixels.data() + static_cast<size_t>(y) * image.width;
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
// straight), as a blit between device contexts would.
void CompositePicture(platform::Surface& surface, int32_t x, int32_t y, int32_t w, int32_t h,
                      const forms::PicturePtr& picture, Color maskColour, bool useMaskColor,
                      const PictureInk& ink) {
    using Mode = PictureInk::Mode;
    if (w <= 0 || h <= 0) return;
    const platform::Surface source =
        picture ? SourceSurface(*picture, w, h, maskColour) : platform::Surface(w, h, maskColour);
    std::vector<uint8_t> background = platform::ReadDib24(surface, {x, y, x + w, y + h});
    const std::vector<uint8_t> pixels = platform::ReadDib24(source, source.Bounds());

    const std::optional<Color> mask =
        useMaskColor ? std::optional<Color>(maskColour) : std::nullopt;
    const size_t stride = platform::Dib24Stride(w);
    for (int32_t row = 0; row < h; ++row) {
        const int32_t pictureY = h - 1 - row;  // the buffers' rows run bottom-up
        for (int32_t column = 0; column < w; ++column) {
            const size_t at = static_cast<size_t>(row) * stride + static_cast<size_t>(column) * 3;
            uint8_t* out = background.data() + at;
            uint8_t blue = pixels[at];
            uint8_t green = pixels[at + 1];
            uint8_t red = pixels[at + 2];
            const uint32_t invert = mask && picture ? InvertColour(*picture, column, pictureY) : 0;
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
    platform::WriteDib24(surface, {x, y}, w, h, background);
}

}  // namespace button
