#pragma once

#include <cstdint>
#include <optional>

#include "platform/gfx/color.h"

namespace platform {

/// An OLE colour: a plain colour 0x00BBGGRR, or a system-colour reference 0x800000nn.
using OleColor = uint32_t;

/// Number of system-colour indices (0 scroll bar .. 30 menu bar).
inline constexpr int32_t kSystemColorCount = 31;

/// The system colours the program's windows and controls draw with, by their index.
enum class SystemColorIndex : int32_t {
    Window = 5,
    WindowText = 8,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    ButtonText = 18,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
};

/// The OLE colour that refers to a system colour, 0x800000nn: it follows the desktop's scheme
/// where a plain colour stays as it is.
constexpr OleColor SystemColorRef(SystemColorIndex index) {
    return 0x80000000u | static_cast<uint32_t>(index);
}

/// The colour of system colour `index` in the classic desktop scheme (button face 0xC8D0D4,
/// button shadow 0x808080, 3D dark shadow 0x404040, highlight 0x6A240A, ...). Index 25 and
/// indices outside 0..30 have no colour.
std::optional<Color> SystemColor(int32_t index);

/// The colour of a system colour the program draws with, which always has one.
Color SystemColor(SystemColorIndex index);

/// Turns an OLE colour into a plain colour 0x00BBGGRR:
/// - top byte 0x00 (a plain colour): returned unchanged;
/// - 0x800000nn with nn a system-colour index that has a colour: that system colour;
/// - 0x02bbggrr (a palette-relative colour): the colour 0x00bbggrr it names, since every
///   surface holds true colour and nearest-palette matching changes nothing;
/// - anything else (a palette index 0x0100iiii, an unknown system colour, another top byte):
///   black, because there is no palette to look an index up in.
Color TranslateOleColor(OleColor ole);

}  // namespace platform
