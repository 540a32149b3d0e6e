#pragma once

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Draws a keyboard focus ring around the logical rectangle `around` on a composed picture, in
/// two tones so that it stands out from whatever lies beside it.
///
/// On the surface's device pixels, with O = ToDevice(around inflated by 2), M = ToDevice(around
/// inflated by 1) and I = ToDevice(around), the ring is O − I: its outer line O − M, its inner
/// line M − I. A pixel of the outer line is black or white (BlackOrWhiteAgainst) by the
/// picture's pixel just outside O in the outward direction: beside it across its side of the
/// ring, diagonally beyond a corner. A pixel of the inner line likewise by the pixel just inside
/// I: the nearest edge pixel of the rectangle. Those pixels are never the ring's own, so they
/// are read as composed; one that lies off the surface is taken as the ring pixel's own colour
/// before the ring. Only ring pixels inside the device rectangle `clip` and on the surface are
/// written. An empty `around` draws nothing.
void DrawFocusRing(Surface& picture, const Rect& around, const Rect& clip);

}  // namespace platform
