#pragma once

#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Fills columns left..right-1 of rows top..bottom-1 with the colour. An empty rectangle
/// (right <= left or bottom <= top) paints nothing; a reversed one is not normalised.
void FillRect(Surface& surface, const Rect& rect, Color colour);

/// Paints the 1-pixel border of the rectangle as four strips: column left and column right-1
/// over rows top..bottom-1, row top and row bottom-1 over columns left..right-1. A rectangle one
/// pixel wide or high is a single filled strip; an empty rectangle paints nothing.
void FrameRect(Surface& surface, const Rect& rect, Color colour);

}  // namespace platform
