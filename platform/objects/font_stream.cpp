#include "platform/objects/font_stream.h"

#include <stdexcept>
#include <string>

namespace platform {

namespace {

constexpr uint8_t kVersion = 0x01;
constexpr uint8_t kItalicFlag = 0x02;
constexpr uint8_t kUnderlineFlag = 0x04;
constexpr uint8_t kStrikethroughFlag = 0x08;
constexpr size_t kFixedSize = 11;

// Field offsets inside the stream.
constexpr size_t kCharsetAt = 1;
constexpr size_t kFlagsAt = 3;
constexpr size_t kWeightAt = 4;
constexpr size_t kSizeAt = 6;
constexpr size_t kNameLengthAt = 10;

void PutLe(std::vector<uint8_t>& out, uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetLe(std::span<const uint8_t> bytes, size_t at, int byteCount) {
    uint32_t value = 0;
    for (int i = 0; i < byteCount; ++i)
        value |= uint32_t{bytes[at + i]} << (8 * i);
    return value;
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
    std::vector<uint8_t> out;
    out.reserve(kFixedSize + nameLength);
    out.push_back(kVersion);
    PutLe(out, static_cast<uint16_t>(font.charset), 2);
    uint8_t flags = 0;
    if (font.italic) flags |= kItalicFlag;
    if (font.underline) flags |= kUnderlineFlag;
    if (font.strikethrough) flags |= kStrikethroughFlag;
    out.push_back(flags);
    PutLe(out, static_cast<uint16_t>(font.weight), 2);
    PutLe(out, static_cast<uint32_t>(font.sizeCy), 4);
    out.push_back(static_cast<uint8_t>(nameLength));
    out.insert(out.end(), font.name.begin(), font.name.end());
    return out;
}

FontDesc ReadFontStream(std::span<const uint8_t> bytes, size_t& consumed) {
    if (bytes.empty()) throw StreamError("font stream: missing version", 0);
    if (bytes[0] != kVersion) throw StreamError("font stream: unknown version", 0);
    if (bytes.size() < kFixedSize) {
        throw StreamError("font stream: truncated header", bytes.size());
    }
    const uint32_t sizeCy = GetLe(bytes, kSizeAt, 4);
    if (sizeCy == 0) throw StreamError("font stream: size 0", kSizeAt);
    const size_t nameLength = bytes[kNameLengthAt];
    if (bytes.size() - kFixedSize < nameLength) {
        throw StreamError("font stream: name runs past the end", bytes.size());
    }
    FontDesc font;
    font.charset = static_cast<int16_t>(GetLe(bytes, kCharsetAt, 2));
    const uint8_t flags = bytes[kFlagsAt];
    font.italic = (flags & kItalicFlag) != 0;
    font.underline = (flags & kUnderlineFlag) != 0;
    font.strikethrough = (flags & kStrikethroughFlag) != 0;
    font.weight = static_cast<int16_t>(GetLe(bytes, kWeightAt, 2));
    font.sizeCy = sizeCy;
    const auto name = bytes.subspan(kFixedSize, nameLength);
    font.name.assign(name.begin(), name.end());
    consumed = kFixedSize + nameLength;
    return font;
}

}  // namespace platform
