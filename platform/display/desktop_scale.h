#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// The largest whole factor the program's windows are shown at.
constexpr int32_t kMaxScale = 4;

/// The whole factor by which every window is shown, each logical pixel as a scale × scale
/// block: `gdkScale` (the GDK_SCALE variable) when it is a whole number from 1 to kMaxScale;
/// otherwise the Xft.dpi setting among `resources` (the X resources as xrdb sets them, one
/// "name:\tvalue" a line) divided by 96 and rounded down, from 1 to kMaxScale (144 dpi gives 1,
/// 192 and 240 give 2, 288 gives 3); 1 without either.
int32_t DesktopScale(std::string_view gdkScale, std::string_view resources);

/// Copies `area` of `from` (which must lie on it) to `to` as scale × scale blocks: pixel (x, y)
/// fills (x × scale .. x × scale + scale - 1, y × scale ..), clipped to `to`.
void CopyScaled(const Surface& from, const Rect& area, int32_t scale, Surface& to);

/// The logical rectangle that covers a physical one: left and top divided by the scale
/// rounding down, right and bottom rounding up.
Rect LogicalCover(const Rect& physical, int32_t scale);

/// A physical coordinate in logical pixels, rounded down (-1 is -1 at any scale).
int32_t ToLogical(int32_t physical, int32_t scale);

}  // namespace platform
