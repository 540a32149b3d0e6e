#pragma once

#include <cstdint>
#include <optional>

#include "platform/gfx/color.h"
#include "platform/objects/system_colors.h"

namespace platform {

/// An OLE colour: a plain colour 0x00BBGGRR, or a system-colour reference 0x800000nn.
using OleColor = uint32_t;

/// The OLE colour that refers to a system colour, 0x800000nn: it follows the desktop's scheme
/// where a plain colour stays as it is.
constexpr OleColor SystemColorRef(SystemColorIndex index) {
    return 0x80000000u | static_cast<uint32_t>(index);
}

/// Turns an OLE colour into a plain colour 0x00BBGGRR:
/// - top byte 0x00 (a plain colour): returned unchanged;
/// - 0x800000nn with nn a system-colour index that has a colour: that system colour in the
///   table in force;
/// - 0x02bbggrr (a palette-relative colour): the colour 0x00bbggrr it names, since every
///   surface holds true colour and nearest-palette matching changes nothing;
/// - anything else (a palette index 0x0100iiii, an unknown system colour, another top byte):
///   black, because there is no palette to look an index up in.
Color TranslateOleColor(OleColor ole);

/// The colour a window draws an OLE colour in, where `role` is the system colour that stands
/// for what it colours (a window's background, its text): while the desktop forces its colours
/// (high contrast) the role's colour, whatever was designed; otherwise TranslateOleColor(ole).
Color DrawnColor(OleColor ole, SystemColorIndex role);

}  // namespace platform
