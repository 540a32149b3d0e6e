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

// Lays one picture pixel on `out`: `colour` as the picture lies in a memory device context,
// `invert` the colour it XORs into what lies under it (0 for none).
void InkPixel(Color& out, Color colour, uint32_t invert, Color maskColour, bool useMaskColor,
              const PictureInk& ink) {
    using Mode = PictureInk::Mode;
    if (invert == 0 && useMaskColor && colour == maskColour) return;
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
            const uint32_t grey = Grey(static_cast<uint8_t>(red), static_cast<uint8_t>(green),
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

// An icon at a desktop's scale, drawn from the image of its file that serves its device size
// (`art`, larger than the one it shows at 1x) over the device pixels `placed`: each device pixel
// takes the image pixel at the same proportion, laid on the mask colour as the icon is in a
// memory device context. False when the file has no larger image.
bool CompositeLargerIcon(platform::Surface& surface, const platform::Rect& shown,
                         const platform::Picture& picture, const platform::Rect& placed,
                         Color maskColour, bool useMaskColor, const PictureInk& ink) {
    const platform::Image& art = picture.IconImageFor(std::max(placed.Width(), placed.Height()));
    if (&art == &picture.Pixels() || art.pixels.size() != size_t(art.width) * size_t(art.height)) {
        return false;
    }
    surface.ForEachVisibleSpan(shown, [&](int32_t deviceY, int32_t x0, int32_t x1) {
        Color* row = surface.Row(deviceY);
        const int64_t v = int64_t{deviceY - placed.top} * art.height / placed.Height();
        for (int32_t deviceX = x0; deviceX < x1; ++deviceX) {
            const int64_t u = int64_t{deviceX - placed.left} * art.width / placed.Width();
            if (u < 0 || v < 0 || u >= art.width || v >= art.height) continue;
            const size_t at = static_cast<size_t>(v * art.width + u);
            const uint32_t pixel = art.pixels[at];
            const Color laid = platform::Blend(maskColour, pixel & 0xFFFFFF, pixel >> 24);
            const uint32_t invert = art.InvertAt(at);
            InkPixel(row[deviceX], laid ^ invert, useMaskColor ? invert : 0, maskColour,
                     useMaskColor, ink);
        }
    });
    return true;
}

}  // namespace

// Each pixel depends on its own source and background pixel alone, and only pixels on the
// surface and inside its clip are written, so only the part of the picture that lands there is
// laid out and composited: a picture larger than the button costs a buffer of the button's
// size, not of its own. On a scaled surface an icon comes from its file's image for its device
// size where the file has a larger one; otherwise every device pixel takes the picture pixel of
// the logical pixel it lies in.
void CompositePicture(platform::Surface& surface, int32_t x, int32_t y, int32_t w, int32_t h,
                      const forms::PicturePtr& picture, Color maskColour, bool useMaskColor,
                      const PictureInk& ink) {
    if (w <= 0 || h <= 0) return;
    platform::Rect shown = platform::Rect::FromSize(x, y, w, h).Intersect(surface.Bounds());
    if (surface.Clip()) shown = shown.Intersect(surface.Clip()->Bounds());
    if (shown.IsEmpty()) return;
    if (picture && picture->Type() == platform::PictureType::Icon &&
        !surface.Scale().IsIdentity()) {
        const platform::Rect placed =
            surface.ToDevice(platform::Rect::FromSize(x, y, picture->Width(), picture->Height()));
        if (CompositeLargerIcon(surface, shown, *picture, placed, maskColour, useMaskColor, ink))
            return;
    }
    const platform::Rect part = shown.Offset(-x, -y);  // in the picture's coordinates
    const platform::Surface source =
        picture ? SourceSurface(*picture, part, maskColour)
                : platform::Surface(part.Width(), part.Height(), maskColour);

    surface.ForEachVisibleSpan(shown, [&](int32_t deviceY, int32_t x0, int32_t x1) {
        Color* row = surface.Row(deviceY);
        const int32_t sourceY = surface.LogicalAt({x0, deviceY}).y - shown.top;
        for (int32_t deviceX = x0; deviceX < x1; ++deviceX) {
            const int32_t sourceX = surface.LogicalAt({deviceX, deviceY}).x - shown.left;
            const uint32_t invert =
                useMaskColor && picture
                    ? InvertColour(*picture, part.left + sourceX, part.top + sourceY)
                    : 0;
            InkPixel(row[deviceX], source.Pixel(sourceX, sourceY), invert, maskColour, useMaskColor,
                     ink);
        }
    });
}

}  // namespace button
