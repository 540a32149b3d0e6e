#include "forms/utf16.h"

#include "platform/text/utf8.h"

namespace forms {
namespace {

using platform::kReplacementCharacter;

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    // One U+FFFD for each malformed sequence, however many bytes it takes.
    for (size_t i = 0; i < utf8.size();) {
        const platform::Utf8Sequence sequence = platform::NextUtf8Sequence(utf8, i);
        AppendUtf16(out, sequence.codePoint);
        i += sequence.length;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacementCharacter;
        }
        platform::AppendUtf8(out, c);
    }
    return out;
}

}  // namespace forms
