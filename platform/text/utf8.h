#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// UTF-8 decoding and encoding for every layer that handles text. It is all inline, so that the
// display backends can use it without the font library.

namespace platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

/// Whether `byte` continues a UTF-8 sequence (10xxxxxx) rather than starting one.
constexpr bool IsUtf8Continuation(char byte) {
    return (static_cast<uint8_t>(byte) & 0xC0) == 0x80;
}

/// The UTF-8 sequence that starts at `at`, before the end of `utf8`.
struct Utf8Sequence {
    char32_t codePoint = 0;  // kReplacementCharacter when malformed
    size_t length = 0;       // bytes it takes
    bool wellFormed = false;
};

/// The sequence at `at`. A malformed one (a stray continuation byte, a lead byte without all its
/// continuation bytes, an overlong form, a surrogate or a value above U+10FFFF) takes the byte
/// at `at` when it can start no sequence (80..C1, F5..FF), else that lead byte and the
/// continuation bytes after it, up to the length the lead byte gives.
inline Utf8Sequence NextUtf8Sequence(std::string_view utf8, size_t at) {
    const auto lead = static_cast<uint8_t>(utf8[at]);
    if (lead < 0x80) return {lead, 1, true};
    const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (length == 0) return {kReplacementCharacter, 1, false};
    char32_t c = lead & (0x7F >> length);
    size_t end = at + 1;
    for (; end < at + length && end < utf8.size() && IsUtf8Continuation(utf8[end]); ++end)
        c = c << 6 | (static_cast<uint8_t>(utf8[end]) & 0x3F);
    if (end < at + length) return {kReplacementCharacter, end - at, false};
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    const bool valid = c >= smallest && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    return valid ? Utf8Sequence{c, length, true}
                 : Utf8Sequence{kReplacementCharacter, length, false};
}

/// The code points of UTF-8 text. Each byte that does not start a well-formed sequence becomes
/// one U+FFFD, and decoding resumes at the next byte.
inline std::vector<char32_t> DecodeUtf8(std::string_view utf8) {
    std::vector<char32_t> out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = NextUtf8Sequence(utf8, i);
        out.push_back(sequence.codePoint);
        i += sequence.wellFormed ? sequence.length : 1;
    }
    return out;
}

/// Appends the UTF-8 bytes of `c`, a code point up to U+10FFFF.
inline void AppendUtf8(std::string& out, char32_t c) {
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

/// The number of characters (code points) of UTF-8 text: every byte that does not continue one.
inline int32_t CharacterCount(std::string_view text) {
    int32_t count = 0;
    for (char byte : text)
        count += IsUtf8Continuation(byte) ? 0 : 1;
    return count;
}

/// The byte where character `offset` begins, clamped to the text's length.
inline size_t ByteOfCharacter(std::string_view text, int32_t offset) {
    size_t byte = 0;
    for (int32_t seen = 0; byte < text.size(); ++byte) {
        if (IsUtf8Continuation(text[byte])) continue;
        if (seen++ == offset) return byte;
    }
    return text.size();
}

}  // namespace platform
