#pragma once

#include <cstdint>
#include <optional>

#include "platform/gfx/color.h"
#include "platform/objects/appearance.h"

namespace platform {

/// Number of system-colour indices (0 scroll bar .. 30 menu bar).
inline constexpr int32_t kSystemColorCount = 31;

/// The system colours the program's windows and controls draw with, by their index.
enum class SystemColorIndex : int32_t {
    ActiveCaption = 2,
    InactiveCaption = 3,
    Window = 5,
    WindowText = 8,
    CaptionText = 9,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
};

/// The tables of system colours, one per look the desktop may ask for:
/// - Classic: the classic desktop scheme (button face 0xC8D0D4, button shadow 0x808080, 3D dark
///   shadow 0x404040, highlight 0x6A240A, ...);
/// - Dark: light text on dark grey faces;
/// - HighContrastDark: white text and edges on black, a cyan highlight (every text at least
///   7:1 against what it is drawn on);
/// - HighContrastLight: black text and edges on white, a purple highlight (the same).
enum class SystemColorTable { Classic, Dark, HighContrastDark, HighContrastLight };

/// The table an appearance asks for: higher contrast gives a high-contrast table, light when the
/// user prefers light colours and dark otherwise; a dark preference alone gives Dark; anything
/// else Classic.
SystemColorTable TableFor(const Appearance& appearance);

/// Whether a table forces its colours on everything drawn, as the desktops' high-contrast
/// themes do: the high-contrast tables.
bool ForcesColors(SystemColorTable table);

/// The colour of system colour `index` in `table`. Index 25 and indices outside 0..30 have no
/// colour.
std::optional<Color> SystemColorIn(SystemColorTable table, int32_t index);

/// The table every system colour of the program resolves through; Classic until the desktop
/// asks for another. The window system changes it (and redraws every window) when the desktop's
/// appearance changes; it is read and written on the program's one thread.
SystemColorTable SystemColorsInForce();
void UseSystemColors(SystemColorTable table);

/// Whether the table in force forces its colours.
inline bool ForcedColors() {
    return ForcesColors(SystemColorsInForce());
}

/// The colour of system colour `index` in the table in force; none for index 25 and indices
/// outside 0..30.
std::optional<Color> SystemColor(int32_t index);

/// The colour of a system colour the program draws with, which always has one.
Color SystemColor(SystemColorIndex index);

}  // namespace platform
