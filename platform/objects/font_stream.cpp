#include "platform/objects/font_stream.h"

#include <stdexcept>
#include <string>

#include "platform/bytes/byte_reader.h"
#include "platform/bytes/byte_writer.h"

namespace platform {

namespace {

constexpr uint8_t kVersion = 0x01;
constexpr uint8_t kItalicFlag = 0x02;
constexpr uint8_t kUnderlineFlag = 0x04;
constexpr uint8_t kStrikethroughFlag = 0x08;
constexpr size_t kFixedSize = 11;
constexpr size_t kSizeAt = 6;

// Why a stream that ends in the field starting at `at` cannot be read.
const char* Truncation(size_t at) {
    if (at == 0) return "font stream: missing version";
    if (at < kFixedSize) return "font stream: truncated header";
    return "font stream: name runs past the end";
}

}  // namespace

std::vector<uint8_t> WriteFontStream(const FontDesc& font) {
    if (font.sizeCy < 1 || font.sizeCy > kMaxFontSizeCy) {
        throw std::invalid_argument("font stream: size " + std::to_string(font.sizeCy) +
                                    " is not 1.." + std::to_string(kMaxFontSizeCy));
    }
    const size_t nameLength = font.name.size();
    if (nameLength > kMaxFontNameBytes) {
        throw std::invalid_argument("font stream: name of " + std::to_string(nameLength) +
                                    " bytes is longer than " + std::to_string(kMaxFontNameBytes));
    }
    ByteWriter out;
    out.U8(kVersion);
    out.U16(static_cast<uint16_t>(font.charset));
    uint8_t flags = 0;
    if (font.italic) flags |= kItalicFlag;
    if (font.underline) flags |= kUnderlineFlag;
    if (font.strikethrough) flags |= kStrikethroughFlag;
    out.U8(flags);
    out.U16(static_cast<uint16_t>(font.weight));
    out.U32(static_cast<uint32_t>(font.sizeCy));
    out.U8(static_cast<uint32_t>(nameLength));
    for (const char c : font.name)
        out.U8(static_cast<uint8_t>(c));
    return out.Take();
}

FontDesc ReadFontStream(std::span<const uint8_t> bytes, size_t& consumed) {
    try {
        ByteReader in(bytes);
        if (in.U8() != kVersion) throw StreamError("font stream: unknown version", 0);
        FontDesc font;
        font.charset = static_cast<int16_t>(in.U16());
        const uint8_t flags = in.U8();
        font.italic = (flags & kItalicFlag) != 0;
        font.underline = (flags & kUnderlineFlag) != 0;
        font.strikethrough = (flags & kStrikethroughFlag) != 0;
        font.weight = static_cast<int16_t>(in.U16());
        font.sizeCy = in.U32();
        const size_t nameLength = in.U8();
        // Fixed fields cut short come first in stream order, then a size of 0.
        if (font.sizeCy == 0) throw StreamError("font stream: size 0", kSizeAt);
        const auto name = in.Take(nameLength);
        font.name.assign(name.begin(), name.end());
        consumed = in.Pos();
        return font;
    } catch (const ByteRangeError& error) {
        throw StreamError(Truncation(error.At()), error.Offset());
    }
}

}  // namespace platform
