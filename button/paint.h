#pragma once

#include <cstdint>

#include "button/color_math.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace button {

// The drawing steps of the button that are more than one platform call, on any surface of the
// button's client size.

/// Where a bevel lies: on the client edge, or one pixel further in.
enum class BevelPlace : int16_t { OnEdge = 0, OneIn = -1 };

/// Whether a bevel has an inner frame inside its outer one.
enum class BevelFrames { Double, Single };

/// Which way a shaded face runs from its base colour.
enum class Direction { Downward, Upward };

/// A single or double 3-D frame along the edges of a width × height client area, drawn as one
/// chain of lines from the end-point rule of LineTo, so each joint pixel belongs to the
/// segment that starts there. With inset the place's value (0 or -1), d = |inset|,
/// R = width - 1 + inset, B = height - 1 + inset: c1 paints the outer left edge upward from
/// (d, B) and the top edge to (R, d); c2 the right edge down to (R, B) and the bottom edge
/// leftward through (d, B); then, for a double bevel, c3 the inner left edge from
/// (d + 1, B - 1) up and the inner top edge, and c4 the inner right edge and the inner bottom
/// edge leftward through (d + 1, B - 1). Hence c1 owns (d, d) and c2 the other outer corners;
/// c3 owns (d + 1, d + 1) and c4 the other inner corners.
void PaintBevelOn(platform::Surface& surface, int32_t width, int32_t height, Color c1, Color c2,
                  Color c3, Color c4, BevelPlace place, BevelFrames frames);

/// Pixel(1, 1), Pixel(1, h - 2), Pixel(w - 2, 1), Pixel(w - 2, h - 2), in that order.
void PaintCornersOn(platform::Surface& surface, int32_t width, int32_t height, Color colour);

/// The shaded face: for i = 1 .. height, the full row y = i (Downward) or y = height - i
/// (Upward), columns 0 .. width - 1, in OffsetColor(colour, amount, shift, softBevel), where
/// amount is -k × i computed in single precision and rounded to the nearest integer, halves to
/// even. Row `height` of a downward gradient lies below the client area and changes nothing.
void PaintGradientOn(platform::Surface& surface, int32_t width, int32_t height, Color colour,
                     float k, Shift shift, bool softBevel, Direction direction);

/// The dotted focus rectangle on `content`, only while showFocusRect and hasFocus are both on:
/// the surface's text colour becomes `text` and stays so, then DrawFocusRect XORs the frame
/// (odd pixels with the background colour, even ones with the text colour). Otherwise neither
/// a pixel nor the text colour changes.
void PaintFocusRectOn(platform::Surface& surface, const platform::Rect& content, Color text,
                      bool showFocusRect, bool hasFocus);

}  // namespace button
