#pragma once

#include <cstdint>

#include "platform/gfx/color.h"
#include "platform/objects/ole_color.h"

namespace button {

using platform::Color;

using platform::OleColor;

/// How a shift treats blue: like red and green, or in proportion to its own value.
enum class Shift { Even, BlueInProportion };

/// The colour shifted by `amount` per channel. Under `softBevel` the amount is first halved,
/// truncating toward zero (-9 becomes -4, 31 becomes 15, -1 becomes 0). Red and green gain the
/// amount; blue gains it too (Even), or gains blue × amount ÷ 192, truncated toward zero
/// (BlueInProportion). Channels are clamped only in the direction of the shift: at 255 for a
/// positive amount, at 0 for a negative one.
Color OffsetColor(Color colour, int32_t amount, Shift shift, bool softBevel);

/// The colour moved toward white by level ÷ 255: each channel becomes
/// level + (255 - level) × channel ÷ 255 (truncated), clamped at 255 only. Levels outside
/// 0..255 are not in use; their channels are combined as B × 65536 + G × 256 + R in 32 bits.
Color LightenColor(Color colour, int32_t level);

/// The plain colour of an OLE colour: plain colours unchanged, system-colour references
/// resolved to the current system colour, anything untranslatable black.
Color ResolveColor(OleColor colour);

}  // namespace button
