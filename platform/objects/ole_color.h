#pragma once

#include <cstdint>
#include <optional>

#include "platform/gfx/color.h"

namespace platform {

/// An OLE colour: a plain colour 0x00BBGGRR, or a system-colour reference 0x800000nn.
using OleColor = uint32_t;

/// Number of system-colour indices (0 scroll bar .. 30 menu bar).
inline constexpr int32_t kSystemColorCount = 31;

/// The colour of system colour `index` in the classic desktop scheme (button face 0xC8D0D4,
/// button shadow 0x808080, 3D dark shadow 0x404040, highlight 0x6A240A, ...). Index 25 and
/// indices outside 0..30 have no colour.
std::optional<Color> SystemColor(int32_t index);

/// Turns an OLE colour into a plain colour 0x00BBGGRR:
/// - top byte 0x00 (a plain colour): returned unchanged;
/// - 0x800000nn with nn a system-colour index that has a colour: that system colour;
/// - 0x02bbggrr (a palette-relative colour): the colour 0x00bbggrr it names, since every
///   surface holds true colour and nearest-palette matching changes nothing;
/// - anything else (a palette index 0x0100iiii, an unknown system colour, another top byte):
///   black, because there is no palette to look an index up in.
Color TranslateOleColor(OleColor ole);

}  // namespace platform
