#pragma once

#include <cstdint>

#include "button/color_math.h"
#include "forms/property_bag.h"
#include "platform/gfx/surface.h"

namespace button {

/// How a picture's pixels are put down.
struct PictureInk {
    enum class Mode {
        Plain,           // the picture's pixel
        Greyscale,       // its grey: r = R × 0.3 rounded first, then G × 0.59 + r + B × 0.11
                         // rounded, both halves to even (white becomes 254)
        Blend,           // each channel (2 × picture + background) / 3, truncated
        Silhouette,      // `colour`
        DarkSilhouette,  // `colour` where R + G + B <= 384, the background elsewhere
    };
    Mode mode = Mode::Plain;
    Color colour = 0;
};

/// Composites the picture into the w × h rectangle at (x, y) of the surface, per pixel, in the
/// ink's mode. The picture is laid out as in a memory bitmap of w × h: a bitmap from its
/// top-left corner, black where it is smaller; an icon in its own size over the mask colour,
/// so its transparent parts take that colour, its translucent edges mix with it and its
/// inverting pixels invert it; no picture at all is the mask colour. Then:
///   - with `useMaskColor`, a pixel of the mask colour keeps the background, and an icon's
///     inverting pixel is the background XOR its invert colour (never taken for the mask);
///     without it an inverting pixel inverts the mask colour the icon lies on;
///   - the ink's mode then puts the pixel down.
/// The background is what the surface holds there; pixels off the surface read as black and
/// are not written back. A width or height of 0 or less draws nothing. Work and memory follow
/// the part of the rectangle on the surface, however large the picture.
///
/// On a scaled surface every device pixel takes the picture pixel of the logical pixel it lies
/// in, except for an icon whose file holds an image larger than the one it shows: the image
/// that serves its device size best (Picture::IconImageFor) is laid over its device pixels
/// instead, each taking the image pixel at the same proportion.
void CompositePicture(platform::Surface& surface, int32_t x, int32_t y, int32_t w, int32_t h,
                      const forms::PicturePtr& picture, Color maskColour, bool useMaskColor,
                      const PictureInk& ink);

}  // namespace button
