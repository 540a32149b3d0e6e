#pragma once

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// XORs a checkerboard over the 1-pixel frame of the rectangle: the top row (full width), the
/// bottom row (full width) and the left and right columns between them, so every frame pixel,
/// corners included, is changed exactly once. Pixel (x, y), in surface coordinates, is XORed
/// with surface.backgroundColor when x + y is odd and with surface.textColor when it is even;
/// with black text on white only the odd pixels change (they invert). Drawing the same
/// rectangle twice restores the image. An empty rectangle changes nothing.
void DrawFocusRect(Surface& surface, const Rect& rect);

}  // namespace platform
