#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/text/font.h"
#include "platform/text/text_flags.h"

namespace platform {

/// Draws or measures UTF-8 text in `rect`, the way the desktop's DrawText does with the
/// kText* flags. Lines are formed as LineBreaker describes, wrapping at rect's width, and
/// advance by font.Height() from rect.top.
///
/// With kTextCalcRect nothing is drawn and `rect` becomes the text's extent: left and top stay,
/// right = left + the widest line (which may exceed the incoming width when a word does),
/// bottom = top + lines × line height; empty text gives 0 × 0.
///
/// Otherwise each line starts at rect.left, or with kTextCenter at
/// (left + right − line width) / 2 truncated toward zero. kTextVCenter has an effect only with
/// kTextSingleLine: the line's top is then top + (height − line height) / 2. Drawing stops
/// after the first line whose bottom passes rect.bottom. Only glyph pixels change (the
/// background is transparent): each pixel is blended toward surface.textColor by its glyph
/// coverage, so a fully covered pixel becomes exactly the text colour, per channel
/// (text × a + old × (255 − a) + 127) / 255. A prefixed character is underlined by one row in
/// the text colour at line top + ascent + 1, from its left edge to one pixel short of its
/// advance (only the first such character of a line). A font's underline and strikethrough
/// are bars across the whole line. Output is clipped to rect, the surface and its clip region.
/// Measuring renders no glyph, and drawing renders only the glyphs whose ink reaches that clip,
/// so text far larger than what shows costs its metrics alone.
///
/// On a scaled surface the layout is the same, in logical pixels; each glyph is drawn from the
/// font realised at the surface's scale (Font::AtScale) at the device pixel of its pen
/// position and baseline, and the bars cover the device pixels of their logical rows.
///
/// Returns the height of the text: lines × line height.
int32_t DrawText(Surface& surface, const Font& font, std::string_view utf8, Rect& rect,
                 uint32_t flags);

/// The width in pixels of one line of UTF-8 text: the sum of its glyph advances, with no
/// prefix or line-break processing.
int32_t TextWidth(const Font& font, std::string_view utf8);

}  // namespace platform
