#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "button/vb_button.h"
#include "platform/gfx/dib24.h"
#include "platform/gfx/draw_image.h"
#include "platform/objects/picture.h"

namespace button {
namespace {

// A measured length in whole pixels: nearest integer, halves to even (the default rounding
// mode of nearbyint).
int32_t WholePixels(double pixels) {
    return static_cast<int32_t>(std::nearbyint(pixels));
}

// The caption holds nothing but spaces (or nothing at all).
bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// The picture as a w x h surface of plain colours, the way it lies in a memory device context.
// A bitmap is copied from its top-left corner; where it is smaller than w x h the rest stays
// black. An icon is drawn in its own size over the mask colour, so its transparent parts take
// that colour, its translucent edges mix with it and its inverting pixels invert it.
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

// Grey of a pixel in double precision: r = R x 0.3 rounded first, then G x 0.59 + r + B x 0.11
// rounded, both halves to even. Rounding the red part alone is what makes white 254.
uint8_t Grey(uint8_t red, uint8_t green, uint8_t blue) {
    const double r = std::nearbyint(red * 0.3);
    return static_cast<uint8_t>(std::nearbyint(green * 0.59 + r + blue * 0.11));
}

}  // namespace

// The size of PictureNormal in pixels of the control's resolution; 0 x 0 without one.
void vbButton::MeasurePicture() {
    if (!pictureNormal) {
        pictureWidth = 0;
        pictureHeight = 0;
        return;
    }
    pictureWidth = WholePixels(host->HimetricToPixels(pictureNormal->HimetricWidth()));
    pictureHeight = WholePixels(host->HimetricToPixels(pictureNormal->HimetricHeight()));
}

// Places the picture against the laid-out caption: left, right, above or below it with a gap,
// or centred in the button when the caption shows nothing or the picture lies behind it.
void vbButton::PlacePicture() {
    if (!pictureNormal && !pictureOver) return;
    const int32_t pw = pictureWidth;
    const int32_t ph = pictureHeight;
    const int32_t position = LaidOutPicturePosition();
    if (IsBlank(caption) || position == 4) {
        pictureX = (width - pw) / 2;
        pictureY = (height - ph) / 2;
        return;
    }
    switch (position) {
        case 0:
            pictureX = captionRect.left - pw - 4;
            pictureY = (height - ph) / 2;
            break;
        case 1:
            pictureX = captionRect.right + 4;
            pictureY = (height - ph) / 2;
            break;
        case 2:
            pictureX = (width - pw) / 2;
            pictureY = captionRect.top - ph - 2;
            break;
        case 3:
            pictureX = (width - pw) / 2;
            pictureY = captionRect.bottom + 2;
            break;
    }
}

// Draws the picture of one look (0 up, 1 pressed, 2 disabled) over the face and caption.
// PictureOver is only ever shown in place of a PictureNormal, in its rectangle.
void vbButton::DrawPicture(int32_t look) {
    if (!pictureNormal) return;
    const int32_t x = pictureX;
    const int32_t y = pictureY;
    const int32_t w = pictureWidth;
    const int32_t h = pictureHeight;
    const Color mask = palette.Mask;
    auto plain = [&](const PicturePtr& picture, int32_t atX, int32_t atY) {
        RenderPicture(atX, atY, w, h, picture, mask, -1, false, false, false);
    };
    auto silhouette = [&](int32_t atX, int32_t atY, Color colour, bool darkOnly) {
        RenderPicture(atX, atY, w, h, pictureNormal, mask, colour, darkOnly, false, false);
    };

    switch (look) {
        case 0:
            if (!hover) {
                DrawPictureEffect(0, pictureNormal);
                RenderPicture(x, y, w, h, pictureNormal, mask, -1, false, useGreyscale,
                              buttonType == 9);
            } else if (buttonType == 9) {
                // Lit, the picture rises above its own shadow.
                DrawPictureEffect(-1, pictureNormal);
                silhouette(x + 1, y + 1, palette.Shadow, false);
                plain(pictureNormal, x - 1, y - 1);
            } else if (pictureOver) {
                DrawPictureEffect(0, pictureOver);
                plain(pictureOver, x, y);
            } else {
                DrawPictureEffect(0, pictureNormal);
                plain(pictureNormal, x, y);
            }
            break;
        case 1:
            if (pictureOver && buttonType != 9) {
                const int32_t k = buttonType == 5 ? 0 : 1;
                plain(pictureOver, x + k, y + k);
            } else if (buttonType != 5 && buttonType != 9) {
                DrawPictureEffect(1, pictureNormal);
                plain(pictureNormal, x + 1, y + 1);
            } else {
                DrawPictureEffect(0, pictureNormal);
                plain(pictureNormal, x, y);
            }
            break;
        case 2:
            if (buttonType == 3) {
                RenderPicture(x + 1, y + 1, w, h, pictureNormal, mask, -1, false, true, false);
            } else if (buttonType == 5 || buttonType == 6 || buttonType == 9) {
                silhouette(x, y, buttonType == 9 ? Off(palette.Shadow, 13) : palette.Shadow, true);
            } else {
                // Engraved: a light copy one pixel down-right under the dark one.
                silhouette(x + 1, y + 1, palette.Highlight, true);
                silhouette(x, y, palette.Shadow, true);
            }
            break;
        default:
            break;
    }
    // A picture behind the caption would hide it: the caption goes on top again.
    if (LaidOutPicturePosition() == 4) DrawCaption(lastCaptionLook);
}

// The raised, sunken or shadowed copies under a picture: one-colour silhouettes one pixel
// down-right and (raised or sunken) one pixel up-left of where the picture will be drawn,
// all moved by `offset`.
void vbButton::DrawPictureEffect(int32_t offset, const PicturePtr& picture) {
    if (specialEffect <= 0) return;
    Color base = palette.Face;
    if (buttonType == 3) {
        base = palette.FaceShade;
    } else if (offset == -1 && colorScheme != 2) {
        base = palette.AccentLight;
    }
    const bool sunken = specialEffect == 2;
    const int32_t w = pictureWidth;
    const int32_t h = pictureHeight;
    RenderPicture(pictureX + 1 + offset, pictureY + 1 + offset, w, h, picture, palette.Mask,
                  Off(base, sunken ? 40 : -40), false, false, false);
    if (specialEffect == 1 || sunken) {
        RenderPicture(pictureX - 1 + offset, pictureY - 1 + offset, w, h, picture, palette.Mask,
                      Off(base, sunken ? -40 : 40), false, false, false);
    }
}

// Composites the picture into the w x h rectangle at (x, y) of the control's surface, per pixel
// on 24-bit bottom-up buffers (rows padded to four bytes, so any width keeps its rows straight):
//   - a picture pixel equal to the mask colour, while UseMaskColor is on, keeps the background;
//   - an icon's inverting pixel is, while UseMaskColor is on, the background XOR its invert
//     colour and never taken for the mask (the icon's transparent parts show the background, so
//     its inverting parts act on it); with UseMaskColor off it inverts the mask colour the icon
//     lies on. The modes below then treat it as any picture pixel;
//   - colour >= 0: the pixel becomes colour (with darkOnly only where R + G + B <= 384);
//   - greyscale: the pixel's grey (see Grey);
//   - blend: each channel (2 x picture + background) / 3, truncated;
//   - otherwise the picture pixel itself.
// The background is what the surface holds there; pixels off the surface read as black and
// are not written back.
void vbButton::RenderPicture(int32_t x, int32_t y, int32_t w, int32_t h, const PicturePtr& picture,
                             Color maskColour, int64_t colour, bool darkOnly, bool greyscale,
                             bool blend) {
    if (w <= 0 || h <= 0) return;
    platform::Surface& surface = Surface();
    // A picture missing here draws nothing of its own and shows as the mask colour.
    const platform::Surface source =
        picture ? SourceSurface(*picture, w, h, maskColour) : platform::Surface(w, h, maskColour);
    const Rect area{x, y, x + w, y + h};
    std::vector<uint8_t> background = platform::ReadDib24(surface, area);
    const std::vector<uint8_t> pixels = platform::ReadDib24(source, source.Bounds());

    const bool silhouette = colour >= 0;
    const auto fill = static_cast<Color>(colour);
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
            if (silhouette) {
                if (darkOnly && red + green + blue > 384) continue;
                out[0] = static_cast<uint8_t>(platform::Blue(fill));
                out[1] = static_cast<uint8_t>(platform::Green(fill));
                out[2] = static_cast<uint8_t>(platform::Red(fill));
            } else if (greyscale) {
                const uint8_t grey = Grey(red, green, blue);
                out[0] = out[1] = out[2] = grey;
            } else if (blend) {
                out[0] = static_cast<uint8_t>((2 * blue + out[0]) / 3);
                out[1] = static_cast<uint8_t>((2 * green + out[1]) / 3);
                out[2] = static_cast<uint8_t>((2 * red + out[2]) / 3);
            } else {
                out[0] = blue;
                out[1] = green;
                out[2] = red;
            }
        }
    }
    platform::WriteDib24(surface, {x, y}, w, h, background);
}

}  // namespace button
