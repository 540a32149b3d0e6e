#include "platform/display/x11/x11_text.h"

#include <cstdint>

#include "platform/text/utf8.h"

namespace platform {

std::string Latin1FromUtf8(std::string_view utf8) {
    std::string latin1;
    latin1.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = NextUtf8Sequence(utf8, i);
        const bool inLatin1 = sequence.wellFormed && sequence.codePoint <= 0xFF;
        latin1 += inLatin1 ? static_cast<char>(sequence.codePoint) : '?';
        i += sequence.wellFormed ? sequence.length : 1;
    }
    return latin1;
}

std::string Utf8FromLatin1(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1)
        AppendUtf8(utf8, static_cast<uint8_t>(c));
    return utf8;
}

}  // namespace platform
