#pragma once

#include <string_view>
#include <vector>

namespace platform {

/// The code points of UTF-8 text. Each byte that does not start a well-formed sequence (a
/// stray continuation byte, a truncated or overlong sequence, a surrogate or a value above
/// U+10FFFF) becomes one U+FFFD, and decoding resumes at the next byte.
std::vector<char32_t> DecodeUtf8(std::string_view utf8);

}  // namespace platform
