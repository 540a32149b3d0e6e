#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The access-key marks of a caption, one rule for every place that shows, speaks or activates
// one: a button's key, a message box's buttons, the lines DrawText draws and the key binding a
// screen reader is told.

namespace platform {

/// Walks `text` as it is shown, reading its marks: an "&" with a character after it is a mark
/// and is not shown; that character is shown, literally when it is a second "&" ("&&" shows
/// one "&"), else marked as an access key. An "&" that ends the text is shown as it is. Calls
/// `shown(index, marked)` for each element shown, in order.
///
/// `Char` is a UTF-8 byte or a code point: "&" never occurs inside a UTF-8 sequence, so a
/// marked byte is the lead byte of the marked character.
template <typename Char, typename Shown>
constexpr void WalkAccessKeyMarks(std::basic_string_view<Char> text, Shown&& shown) {
    for (size_t i = 0; i < text.size(); ++i) {
        const bool mark = text[i] == Char('&') && i + 1 < text.size();
        if (mark) ++i;
        shown(i, mark && text[i] != Char('&'));
    }
}

/// The access key of a caption: its first marked character as UTF-8, an ASCII letter
/// lower-cased; empty when the caption marks none or marks a malformed byte.
std::string AccessKeyOf(std::string_view caption);

/// The key binding of a caption's access key as readers show it, "<Alt>y" for "&Yes"; empty
/// when the caption has none.
std::string AccessKeyBinding(std::string_view caption);

/// A caption as it is shown and spoken: without its marks ("&&" stays one "&").
std::string SpokenCaption(std::string_view caption);

}  // namespace platform
