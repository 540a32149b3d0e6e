#pragma once

#include <cstdint>

#include "button/color_math.h"

namespace button {

/// The twelve plain colours a button draws with; every drawing step takes its colours from
/// here, never from the colour properties.
struct Palette {
    Color Face = 0;         // face in the normal state; the base of the derived colours
    Color FaceOver = 0;     // face while lit
    Color Text = 0;         // caption in the normal state
    Color TextOver = 0;     // caption while lit
    Color Light = 0;        // light 3-D edge
    Color Highlight = 0;    // outermost bright 3-D edge
    Color Shadow = 0;       // shadow 3-D edge
    Color DarkShadow = 0;   // outermost dark 3-D edge
    Color Accent = 0;       // accent colour
    Color AccentLight = 0;  // lightened accent
    Color Mask = 0;         // the transparent colour of pictures
    Color FaceShade = 0;    // face shifted brighter, base of the shaded looks

    friend bool operator==(const Palette&, const Palette&) = default;
};

/// Where the palette takes its colours from, by the stored ColorScheme: 1 the desktop's
/// system colours, 2 the button's own colour properties, 3 a fixed grey, 4 the parent's
/// drawing colours.
enum class ColorScheme { System = 1, Own = 2, Grey = 3, Parent = 4 };

/// The scheme of a stored ColorScheme; a number outside 1..4 takes the system colours.
ColorScheme ColorSchemeOf(int32_t colorScheme);

/// Everything the palette is derived from.
struct PaletteSource {
    ColorScheme colorScheme = ColorScheme::System;
    OleColor backColor = 0;
    OleColor backOver = 0;
    OleColor foreColor = 0;
    OleColor foreOver = 0;
    OleColor maskColor = 0;
    Shift faceShadeShift = Shift::Even;  // the look's: in proportion for the Gradient look
    bool softBevel = false;              // halves every shift
    Color parentBackground = 0;          // scheme 4: the parent's current background colour
    Color parentText = 0;                // scheme 4: the parent's current text colour
};

/// The palette of a colour scheme:
///
/// | slot        | 1 (and others) | 2                 | 3        | 4                 |
/// |-------------|----------------|-------------------|----------|-------------------|
/// | Face        | button face    | backColor         | 0xC0C0C0 | parent background |
/// | FaceOver    | = Face         | backOver          | 0xC0C0C0 | = Face            |
/// | Text        | button text    | foreColor         | 0x000000 | parent text       |
/// | TextOver    | = Text         | foreOver          | 0x000000 | = Text            |
/// | Shadow      | button shadow  | Off(Face, -64)    | 0x808080 | Off(Face, -64)    |
/// | Light       | 3-D light      | Off(Face, +31)    | 0xDFDFDF | Off(Face, +31)    |
/// | Highlight   | button highl.  | Off(Face, +47)    | 0xFFFFFF | Off(Face, +47)    |
/// | DarkShadow  | 3-D dark shad. | Off(Face, -192)   | 0x000000 | Off(Face, -192)   |
/// | Accent      | highlight      | Off(Face, -128)   | 0x800000 | highlight         |
/// | AccentLight | Lighten(Accent, 176) | Face        | 0xD1ADAD | Lighten(Accent, 176) |
///
/// then, for every scheme, Mask = ResolveColor(maskColor) and FaceShade = Off(Face, +48) with
/// the look's shift. Colour properties are resolved with ResolveColor;
/// system colours are read afresh each time.
Palette DerivePalette(const PaletteSource& source);

/// The palette of every button while the desktop forces its colours (high contrast), whatever
/// its scheme: plain faces in button face, lit and pressed faces in highlight, captions in
/// button text and highlight text, every edge in button text, so that the caption stands at
/// least 7:1 against its face and the outline 3:1 against the window around it. Mask is
/// resolved from `maskColor`, for the picture keeps its transparent colour.
Palette ForcedPalette(OleColor maskColor);

}  // namespace button
