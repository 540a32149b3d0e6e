#pragma once

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/image/image.h"

namespace platform {

/// Draws an icon or cursor image in its own size with its top-left corner at `at`. Per pixel
/// of alpha a: 0 leaves the surface untouched, 255 writes the image colour, anything between
/// blends each channel as (image * a + surface * (255 - a) + 127) / 255 in integers, i.e. the
/// exact mix rounded to nearest (255 is odd, so there is never a tie). Then a pixel with an
/// invert colour (the image's invert plane) XORs it into the surface, so an inverting pixel,
/// transparent itself, shows the surface XOR its colour. Pixels off the surface or outside the
/// clip region are skipped. An image whose pixel count, or non-empty invert plane, does not
/// match its size draws nothing.
///
/// On a scaled surface each device pixel takes the image pixel of the logical pixel it lies
/// in, so a whole scale shows every image pixel as an even block. At a scale that is not whole
/// an image without an invert plane is sampled linearly between the four image pixels nearest
/// the device pixel's centre (per channel, alpha included), as blocks would be uneven there.
void DrawImage(Surface& surface, Point at, const Image& image);

/// DrawImage for a part of an image (a picture decoded only as far as it shows): the device
/// pixels of the part's place take what DrawImage of the whole image gives them; the rest are
/// left alone. At a scale that is not whole the part's last column and row blend with
/// themselves rather than with the next pixels, so a part a pixel wider and taller than the
/// place that must show gives exactly the whole image's pixels there.
void DrawImageTopLeft(Surface& surface, Point at, const ImagePart& part);

/// The pixels (all four channels; the invert plane is left out) of `image` shown at `scale`:
/// Edge(width) × Edge(height), each sampled as DrawImage samples a picture without an invert
/// plane. Empty for an image whose pixel count does not match its size. For pictures the
/// display shows by itself (the pointer); premultiplied pixels stay premultiplied.
Image ScaledImage(const Image& image, DeviceScale scale);

}  // namespace platform
