#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

/// How one text became another: at character `offset` (code points of UTF-8), `removed` gave
/// way to `inserted`; the characters before and after are common to both.
struct TextChange {
    int32_t offset = 0;
    std::string removed;
    std::string inserted;
};

TextChange DiffText(std::string_view before, std::string_view after);

/// The number of characters (code points) of UTF-8 text: every byte that does not continue one.
int32_t CharacterCount(std::string_view text);

/// The byte where character `offset` begins, clamped to the text's length.
size_t ByteOfCharacter(std::string_view text, int32_t offset);

}  // namespace platform
