#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/device_scale.h"
#include "platform/gfx/geometry.h"
#include "platform/objects/font_desc.h"
#include "platform/text/lru_cache.h"

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

/// What laying out a glyph needs, read from its outline without rasterising it.
struct GlyphMetrics {
    int32_t advance = 0;  // as Glyph::advance
    /// Holds every pixel of the rendered glyph, relative to the pen position on the baseline
    /// (rows downward); empty for a glyph without an outline.
    Rect ink;
};

/// What one glyph counts against Font::kGlyphCacheBytes: its coverage bytes and a fixed
/// allowance for its bookkeeping, so that glyphs without pixels count too.
size_t GlyphCost(const Glyph& glyph);

/// A font description realised at 96 dpi: the installed face that stands in for it, its pixel
/// metrics, and caches of the glyphs used lately. Metrics are read without rasterising, so
/// measuring text renders nothing; glyphs are rendered when drawn and kept while they fit the
/// cache, so text drawn again costs no rasterising. A Font is used from the UI thread only.
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

    /// Rendered glyphs are kept while together they cost at most this (see GlyphCost); the
    /// least recently used leave first. A glyph costlier than that alone is not kept.
    static constexpr size_t kGlyphCacheBytes = size_t{4} << 20;
    /// The metrics of one code point's glyph, as GlyphFor would render it. They are read once
    /// for each of the face's glyphs and kept while the font lives, so that text is laid out
    /// again at the cost of lookups however many characters it has: at most one entry for
    /// every glyph of the face (65535 at most), and one for all the code points it lacks.
    GlyphMetrics MetricsFor(char32_t codePoint) const;

    /// The glyph of one code point, rendered on first use and cached as kGlyphCacheBytes says.
    /// A code point the face lacks gives the face's missing-glyph symbol. Code points that
    /// show the same glyph share it.
    std::shared_ptr<const Glyph> GlyphFor(char32_t codePoint) const;

    /// The same description realised for drawing at `scale`: its size times the scale's
    /// factor, so that glyphs are rendered at the device's resolution. This font itself at
    /// scale 1. Layout still takes this font's metrics, so text keeps its logical places.
    const Font& AtScale(const DeviceScale& scale) const;
    /// The description AtScale last realised for a scale other than 1, if any; this font holds
    /// that font while it lives.
    std::optional<FontDesc> ScaledDesc() const {
        return scaled_ ? std::optional<FontDesc>(scaled_->Desc()) : std::nullopt;
    }

    /// How many glyphs' metrics are kept for code points past ASCII.
    size_t MeasuredGlyphs() const { return otherMetrics_.size(); }

    /// The summed GlyphCost of the rendered glyphs held in the cache.
    size_t CachedGlyphBytes() const { return glyphs_.Cost(); }

    /// The FreeType face behind a font; opaque outside the text library.
    struct Face;

  private:
    // The face's index of the glyph that shows a code point; 0, the missing glyph, for one
    // the face lacks or without a face.
    uint32_t GlyphIndex(char32_t codePoint) const;
    GlyphMetrics Measure(uint32_t glyphIndex) const;
    Glyph Render(uint32_t glyphIndex) const;

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
    mutable DeviceScale scaledAt_;  // the scale `scaled_` was realised for
    mutable std::shared_ptr<const Font> scaled_;

    static constexpr char32_t kDirectMetrics = 128;
    mutable std::array<std::optional<GlyphMetrics>, kDirectMetrics> asciiMetrics_;
    mutable std::unordered_map<uint32_t, GlyphMetrics> otherMetrics_;  // by glyph index
    mutable LruCache<uint32_t, std::shared_ptr<const Glyph>> glyphs_{kGlyphCacheBytes};
};

}  // namespace platform
