#include "platform/objects/font_stream.h"

#include <stdexcept>
#include <string>

#include "platform/bytes/byte_writer.h"

namespace platform {

namespace {

constexpr uint8_t kVersion = 0x01;
constexpr uint8_t kItalicFlag = 0x02;
constexpr uint8_t kUnderlineFlag = 0x04;
constexpr uint8_t kStrikethroughFlag = 0x08;
constexpr size_t kSizeAt = 6;
constexpr char kTruncatedHeader[] = "font stream: truncated header";

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

Result<FontDesc> ReadFontStream(FieldReader& in) {
    FieldReader stream = in;
    const size_t start = stream.Pos();
    if (TRY(stream.U8("font stream: missing version")) != kVersion) {
        return ReadError{"font stream: unknown version", start};
    }
    FontDesc font;
    font.charset = static_cast<int16_t>(TRY(stream.U16(kTruncatedHeader)));
    const uint8_t flags = TRY(stream.U8(kTruncatedHeader));
    font.italic = (flags & kItalicFlag) != 0;
    font.underline = (flags & kUnderlineFlag) != 0;
    font.strikethrough = (flags & kStrikethroughFlag) != 0;
    font.weight = static_cast<int16_t>(TRY(stream.U16(kTruncatedHeader)));
    font.sizeCy = TRY(stream.U32(kTruncatedHeader));
    const uint8_t nameLength = TRY(stream.U8(kTruncatedHeader));
    // Fixed fields cut short come first in stream order, then a size of 0.
    if (font.sizeCy == 0) return ReadError{"font stream: size 0", start + kSizeAt};
    const auto name = TRY(stream.Take(nameLength, "font stream: name runs past the end"));
    font.name.assign(name.begin(), name.end());
    in = stream;
    return font;
}

Result<FontDesc> ReadFontStream(std::span<const uint8_t> bytes, size_t& consumed) {
    FieldReader in(bytes);
    FontDesc font = TRY(ReadFontStream(in));
    consumed = in.Pos();
    return font;
}

}  // namespace platform
