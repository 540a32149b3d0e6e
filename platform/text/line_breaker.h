#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/text/font.h"

namespace platform {

/// One character of laid-out text, after prefix processing.
struct TextCell {
    char32_t codePoint = 0;
    GlyphMetrics metrics;
    bool prefixed = false;  // an "&" before it marked it as the access character
};

/// One line of laid-out text.
struct TextLine {
    std::span<const TextCell> cells;
    int32_t width = 0;       // sum of the advances
    int32_t underline = -1;  // index in cells of the first prefixed character, or -1
};

/// Splits text into the lines DrawText shows, one line per call to Next:
/// - Paragraphs end at CR, LF, CR LF or LF CR (two different characters count once; CR CR is
///   two breaks). A break at the very end of the text starts no further line. Empty text has
///   no line, except with kTextSingleLine, where everything (CR and LF too) is one line.
/// - Prefixes (unless kTextNoPrefix): "&x" gives x marked as prefixed, "&&" one "&"; an "&"
///   that ends a paragraph stays as it is. Removed "&" take no width.
/// - With kTextWordBreak (and not kTextSingleLine) a paragraph wider than `width` is cut at
///   the last space that fits, or right after the word when the character that no longer
///   fits is a space. Left-aligned lines keep the spaces that fit, so they count in the
///   width; centred lines drop the last of them. One space at the start of the next line is
///   swallowed. A word wider than `width` on its own is not cut: it fills a line by itself.
class LineBreaker {
  public:
    LineBreaker(const Font& font, std::span<const char32_t> text, int32_t width, uint32_t flags);

    /// Fills `line` with the next line and returns true, or returns false after the last one.
    /// The line's cells stay valid until the next call.
    bool Next(TextLine& line);

  private:
    bool LoadParagraph();
    size_t BreakLine(size_t& next) const;

    const Font& font_;
    std::span<const char32_t> text_;
    int32_t width_;
    uint32_t flags_;
    size_t textPos_ = 0;           // first code point not yet in a paragraph
    bool started_ = false;         // a paragraph has been loaded
    std::vector<TextCell> cells_;  // the current paragraph
    size_t cellPos_ = 0;           // where the next line of the paragraph starts
    bool paragraphOpen_ = false;
    bool paragraphHasLine_ = false;
};

}  // namespace platform
