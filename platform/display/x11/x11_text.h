#pragma once

#include <string>
#include <string_view>

namespace platform {

/// UTF-8 text in Latin-1, the encoding of X's STRING properties: characters beyond U+00FF and
/// malformed bytes become '?'.
std::string Latin1FromUtf8(std::string_view utf8);

/// Latin-1 text (an X STRING property) in UTF-8.
std::string Utf8FromLatin1(std::string_view latin1);

}  // namespace platform
