#pragma once

#include <cstdint>

#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Draws the ellipse inscribed in box (right and bottom exclusive), filled with `fill` and
/// outlined in `outline`. An empty box draws nothing.
///
/// Fill, painted first: the pixels of Region::Ellipse({left, top, right + 1, bottom + 1}),
/// i.e. rows top..bottom-1, columns at most left..right-1.
///
/// Outline of a 1-pixel pen: with W = width, H = height, a = W - 1 and b = H - 1, an integer
/// midpoint recurrence gives the pixel centres of one quadrant inside 0..a x 0..b:
/// dx = 4b^2(1 - a), dy = 4a^2(1 + b mod 2), err = dx + dy + a^2(b mod 2); start at
/// (a, H / 2); while x >= W / 2: take the point; e2 = 2 err; if e2 >= dx then x -= 1,
/// dx += 8b^2, err += dx; if e2 <= dy then y += 1, dy += 8a^2, err += dy. Each point (x, y) and
/// its mirrors (a - x, y), (x, b - y), (a - x, b - y), moved by (left, top), is an outline
/// pixel; successive points are 8-neighbours, so the outline has no gaps. When the loop ends
/// with y < b (a tall, narrow ellipse), the rows y..b take the points (W / 2, y) and mirrors,
/// so the tips reach the top and bottom rows like the elliptic region's. It lies inside the
/// fill, so the footprint is the fill region with the outline pixels in the pen colour.
///
/// A wider pen is centred on the same outline, the extra half going up and left as the
/// desktop's even-width pens do: each outline pixel (x, y) becomes the block of columns
/// x - w/2 .. x - w/2 + w - 1 and the same rows. A 2-pixel pen is thus the 1-pixel outline
/// thickened one pixel toward up-left: rows top-1 and top at the top, bottom-2 and bottom-1 at
/// the bottom, columns left-1, left and right-2, right-1 at the sides. A width below 1 draws as
/// 1.
///
/// On a scaled surface the ellipse is traced by the same rules on the device pixels: the box is
/// the device pixels of the logical box and the pen Edge(width) device pixels wide, so the curve
/// is as smooth as the device allows.
void DrawEllipse(Surface& surface, const Rect& box, Color outline, int32_t penWidth, Color fill);

}  // namespace platform
