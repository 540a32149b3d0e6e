#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/objects/font_desc.h"

namespace platform {

/// One rendered glyph: an 8-bit coverage bitmap (0 = untouched, 255 = fully covered) placed
/// relative to the pen position on the baseline, and the advance to the next pen position.
struct Glyph {
    int32_t left = 0;  // first bitmap column, from the pen position
    int32_t top = 0;   // first bitmap row, upward from the baseline
    int32_t width = 0;
    int32_t height = 0;
    int32_t advance = 0;            // whole pixels, as hinted
    std::vector<uint8_t> coverage;  // width × height, rows top-down
};

/// A font description realised at 96 dpi: the installed face that stands in for it, its pixel
/// metrics, and the glyphs drawn so far. Glyphs are rendered on first use and kept, so text
/// already drawn costs no rasterising again. A Font is used from the UI thread only.
class Font {
    struct OpenToken {
        explicit OpenToken() = default;
    };

  public:
    /// Realises `desc`. When the face fontconfig picks cannot be opened the default sans is
    /// used; when no face can be opened at all the font still works, with blank glyphs and
    /// metrics derived from the em.
    static std::shared_ptr<const Font> Open(const FontDesc& desc);

    /// Only Open makes fonts (the token is private); public for make_shared.
    Font(OpenToken, const FontDesc& desc);
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    const FontDesc& Desc() const { return desc_; }
    /// The em height in pixels (see EmPixels).
    int32_t EmPixels() const { return emPixels_; }
    /// Pixels from the top of a line to the baseline.
    int32_t Ascent() const { return ascent_; }
    /// Pixels from the baseline to the bottom of a line.
    int32_t Descent() const { return descent_; }
    /// The line height, Ascent() + Descent().
    int32_t Height() const { return ascent_ + descent_; }
    /// The face's average character width in pixels.
    int32_t AverageCharWidth() const { return averageCharWidth_; }
    /// The family of the installed face in use; empty when no face could be opened.
    const std::string& FamilyName() const { return familyName_; }
    /// True when the face in use is bold by design or made bold by this font.
    bool IsBold() const { return bold_; }

    /// Rows of the underline and strikethrough bars, from the top of the line.
    int32_t UnderlineTop() const { return underlineTop_; }
    int32_t StrikeoutTop() const { return strikeoutTop_; }
    /// Thickness in rows of both bars.
    int32_t BarThickness() const { return barThickness_; }

    /// The glyph of one code point, rendered and cached on first use. A code point the face
    /// lacks gives the face's missing-glyph symbol.
    const Glyph& GlyphFor(char32_t codePoint) const;

    /// The FreeType face behind a font; opaque outside the text library.
    struct Face;

  private:
    Glyph Render(char32_t codePoint) const;

    FontDesc desc_;
    int32_t emPixels_ = 1;
    int32_t ascent_ = 0;
    int32_t descent_ = 0;
    int32_t averageCharWidth_ = 0;
    int32_t underlineTop_ = 0;
    int32_t strikeoutTop_ = 0;
    int32_t barThickness_ = 1;
    bool bold_ = false;
    std::string familyName_;
    std::unique_ptr<Face> face_;

    static constexpr char32_t kDirectGlyphs = 128;
    mutable std::array<std::optional<Glyph>, kDirectGlyphs> asciiGlyphs_;
    mutable std::unordered_map<char32_t, Glyph> otherGlyphs_;
};

}  // namespace platform
