#pragma once

#include <cstdint>

#include "platform/image/image.h"

namespace artwork {

/// A pixel rectangle: left and top inclusive, right and bottom exclusive.
struct Box {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

/// A box as FillRoundBox paints it: corners rounded with the radius in pixels, a vertical
/// gradient from topColour (first row) to bottomColour (last row).
struct RoundBox {
    Box box;
    double radius = 0;
    uint32_t topColour = 0, bottomColour = 0;
};

/// An empty (fully transparent) image of the size.
platform::Image BlankImage(int32_t width, int32_t height);

/// A width x height transparent image with art copied to its top-left corner (art larger than
/// the canvas is clipped).
platform::Image OnCanvas(const platform::Image& art, int32_t width, int32_t height);

/// Paints colour (0x00BBGGRR) over one pixel with the given opacity (0 to 1), compositing
/// "source over" on non-premultiplied colour: alpha a + d(1 - a), colour weighted by the two
/// alphas, each channel rounded to the nearest level. Pixels outside the image are skipped.
void BlendPixel(platform::Image& image, int32_t x, int32_t y, uint32_t colour, double opacity);

/// Fills the box with a vertical gradient from topColour (first row) to bottomColour (last
/// row), corners rounded with the radius in pixels. Straight edges lie on pixel boundaries
/// and stay sharp; a corner pixel is covered by the share of its 4 x 4 sample points that
/// lie inside the corner's circle. Radius 0 gives a plain rectangle.
void FillRoundBox(platform::Image& image, Box box, double radius, uint32_t topColour,
                  uint32_t bottomColour);

/// Linear mix of two 0x00BBGGRR colours, t = 0 giving a and 1 giving b, per channel rounded.
uint32_t MixColour(uint32_t a, uint32_t b, double t);

}  // namespace artwork
