#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/text/font.h"

namespace forms {

/// Where the characters of one line of UTF-8 text start when DrawText draws the line from
/// x = 0 in a font, and how far their glyphs' ink reaches around those places. A character is a
/// byte that does not continue a UTF-8 sequence, with the continuation bytes after it (the
/// first byte of the text starts one whatever it is); each one's pen is the TextWidth of the
/// text before it.
///
/// An edit is laid out again from the character it starts in, so appending costs what is
/// appended; looking up a place costs the logarithm of the length. Advances are taken to be
/// never negative, as hinted glyphs of a horizontal font have them.
class LineLayout {
  public:
    /// Lays out `text` anew in `font`.
    void Reset(std::shared_ptr<const platform::Font> font, std::string_view text);
    /// Follows an edit: `text` is the text laid out with everything from byte `unchanged` on
    /// replaced.
    void Update(std::string_view text, size_t unchanged);

    const platform::Font& Font() const { return *font_; }
    /// The number of characters.
    size_t Length() const { return stops_.size() - 1; }
    /// The number of characters that start at or after byte `from` and before byte `to`.
    size_t LengthBetween(size_t from, size_t to) const { return Index(to) - Index(from); }
    /// The first byte of the character that `position` falls in (the text's size at or past
    /// its end).
    size_t CharacterStart(size_t position) const { return stops_[Index(position)].offset; }
    /// The pen x of the character that `position` falls in (the end of the text at or past it).
    int32_t X(size_t position) const { return stops_[Index(position)].x; }
    /// The start of the character nearest to `x`, the earlier one on a tie (the text's end is
    /// one too).
    size_t Nearest(int32_t x) const;

    /// Of the characters from byte `from` to byte `to`, those that can put ink between x = left
    /// and x = right, as byte offsets [first, end). Drawn from its own pen and clipped to the
    /// greater of left and the pen at `from`, and to right, the run gives the same pixels as the
    /// whole stretch drawn from the pen at `from`, underline and strikethrough bars included:
    /// its pen lies at or left of that clip, and it ends at `to` or at a pen at or right of
    /// right.
    struct Run {
        size_t first = 0;
        size_t end = 0;
    };
    Run Visible(size_t from, size_t to, int32_t left, int32_t right) const;

  private:
    struct Stop {
        size_t offset;  // of the character's first byte; the text's size for the end
        int32_t x;
    };

    size_t Index(size_t position) const;
    /// Appends the stops of the characters of `text` from the last stop on.
    void LayOutFromLastStop(std::string_view text);

    std::shared_ptr<const platform::Font> font_;
    std::vector<Stop> stops_{{0, 0}};  // one per character and one for the end, in order
    // How far ink reaches left (at most 0) and right (at least 0) of a character's pen, over
    // every character laid out in this font: never less than the text's own reach.
    int32_t inkLeft_ = 0;
    int32_t inkRight_ = 0;
};

}  // namespace forms
