#pragma once

#include <cstdint>

#include "button/color_math.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace button {

// The drawing steps of the control that are more than one platform call, on any surface. The
// control's primitives pass its own surface, client size and settings.

/// A single or double 3-D frame along the edges of a width × height client area, drawn as one
/// chain of lines from the end-point rule of LineTo, so each joint pixel belongs to the
/// segment that starts there. With d = |inset|, R = width - 1 + inset, B = height - 1 + inset:
/// c1 paints the outer left edge upward from (d, B) and the top edge to (R, d); c2 the right edge
/// down to (R, B) and the bottom edge leftward through (d, B); then, unless single, c3 the inner
/// left edge from (d + 1, B - 1) up and the inner top edge, and c4 the inner right edge and the
/// inner bottom edge leftward through (d + 1, B - 1). Hence c1 owns (d, d) and c2 the other outer
/// corners; c3 owns (d + 1, d + 1) and c4 the other inner corners. Inset 0 draws on the
/// outermost pixels, -1 one pixel further in.
void PaintBevelOn(platform::Surface& surface, int32_t width, int32_t height, Color c1, Color c2,
                  Color c3, Color c4, int16_t inset, bool single);

/// Pixel(1, 1), Pixel(1, h - 2), Pixel(w - 2, 1), Pixel(w - 2, h - 2), in that order.
void PaintCornersOn(platform::Surface& surface, int32_t width, int32_t height, Color colour);

/// The shaded face: for i = 1 .. height, the full row y = i (downward) or y = height - i
/// (upward), columns 0 .. width - 1, in OffsetColor(colour, amount, proportional, softBevel),
/// where amount is -k × i computed in single precision and rounded to the nearest integer,
/// halves to even. Row `height` of a downward gradient lies below the client area and changes
/// nothing.
void PaintGradientOn(platform::Surface& surface, int32_t width, int32_t height, Color colour,
                     float k, bool proportional, bool softBevel, bool downward);

/// The dotted focus rectangle on `content`, only while showFocusRect and hasFocus are both on:
/// the surface's text colour becomes `text` and stays so, then DrawFocusRect XORs the frame
/// (odd pixels with the background colour, even ones with the text colour). Otherwise neither
/// a pixel nor the text colour changes.
void PaintFocusRectOn(platform::Surface& surface, const platform::Rect& content, Color text,
                      bool showFocusRect, bool hasFocus);

}  // namespace button
