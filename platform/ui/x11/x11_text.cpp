#include "platform/ui/x11/x11_text.h"

#include <cstdint>

namespace platform {

std::string Latin1FromUtf8(std::string_view utf8) {
    std::string latin1;
    latin1.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        if (lead < 0x80) {
            latin1 += static_cast<char>(lead);
            ++i;
            continue;
        }
        // A sequence's length comes from its lead byte; a lead byte without it, or a stray
        // continuation byte, is one malformed byte.
        const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        size_t end = i + 1;
        while (end < utf8.size() && end < i + length &&
               (static_cast<uint8_t>(utf8[end]) & 0xC0) == 0x80)
            ++end;
        const bool whole = length > 1 && end == i + length;
        if (whole && length == 2 && lead <= 0xC3) {
            latin1 += static_cast<char>(((lead & 0x03) << 6) | (utf8[i + 1] & 0x3F));
        } else {
            latin1 += '?';
        }
        i = whole ? end : i + 1;
    }
    return latin1;
}

std::string Utf8FromLatin1(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace platform
