#include "forms/utf16.h"

#include <cstdint>

namespace forms {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// Decodes one UTF-8 sequence at `i`, advancing `i`; a byte that cannot start a sequence,
// overlong forms, surrogates, values above U+10FFFF and cut sequences give the replacement
// character.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto lead = static_cast<uint8_t>(s[i++]);
    if (lead < 0x80) return lead;
    if (lead == 0xC0 || lead == 0xC1 || lead > 0xF4) return kReplacement;  // never a lead byte
    struct Form {
        uint8_t mask, pattern;
        int extra;
        char32_t minimum;
    };
    static constexpr Form kForms[] = {
        {0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};
    for (const Form& form : kForms) {
        if ((lead & form.mask) != form.pattern) continue;
        char32_t c = lead & static_cast<uint8_t>(~form.mask);
        for (int k = 0; k < form.extra; ++k) {
            if (i >= s.size() || (static_cast<uint8_t>(s[i]) & 0xC0) != 0x80) return kReplacement;
            c = c << 6 | (static_cast<uint8_t>(s[i++]) & 0x3F);
        }
        const bool valid = c >= form.minimum && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        return valid ? c : kReplacement;
    }
    return kReplacement;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();)
        AppendUtf16(out, NextCodePoint(utf8, i));
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
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace forms
