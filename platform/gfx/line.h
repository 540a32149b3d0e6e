#pragma once

#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Sets the surface's current position, where the next LineTo starts.
void MoveTo(Surface& surface, Point to);

/// Draws a 1-pixel line from the current position to `to` and leaves the current position at
/// `to`. The start pixel is painted and the end pixel is not, so a chain of LineTo calls paints
/// every joint exactly once, in the colour of the segment that starts there.
///
/// Pixels, with d = to - start:
///   - d = 0: nothing.
///   - Horizontal (d.y = 0): columns start.x .. to.x-1 going right, to.x+1 .. start.x going
///     left, on row start.y; vertical lines likewise. Both are rectangle fills.
///   - Otherwise the major axis is x when |d.x| > |d.y|, else y (a 45-degree line is y-major;
///     every one of its pixels lies on the line either way). With n = |d.major|, pixel k for
///     k = 0 .. n-1 has major = start.major + k * sign(d.major) and
///     minor = ceil(start.minor + k * d.minor / n - 1/2), computed exactly in integers: the
///     ideal minor coordinate rounded to nearest, a tie going to the smaller coordinate (up or
///     left) whatever the drawing direction. Hence A->B plus pixel B is the same set as B->A
///     plus pixel A.
/// Clipping to the surface and the clip region removes pixels and never moves the others.
void LineTo(Surface& surface, Point to, Color colour);

}  // namespace platform
