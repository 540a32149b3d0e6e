#pragma once

#include <string>
#include <string_view>

namespace forms {

/// UTF-8 to UTF-16; each malformed sequence, as platform::NextUtf8Sequence bounds it, becomes
/// one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

/// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace forms
