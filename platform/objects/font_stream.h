#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/bytes/field_reader.h"
#include "platform/objects/font_desc.h"

namespace platform {

/// Class identifier of the standard font object, as its 16 bytes are stored in front of the
/// font's stream ({0BE35203-8F91-11CE-9DE3-00AA004BB851}, fields little-endian).
inline constexpr std::array<uint8_t, 16> kStdFontClassId = {
    0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11, 0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};

/// The largest font size the stream holds, in ten-thousandths of a point (429 496.7295 pt):
/// its size field is an unsigned 32-bit count.
inline constexpr int64_t kMaxFontSizeCy = 0xFFFFFFFF;
/// The longest face name the stream holds, in bytes: its length field is one byte.
inline constexpr size_t kMaxFontNameBytes = 255;

/// Writes the persisted stream of a font, 11 + n bytes, little-endian:
/// version 0x01 | charset (2) | flags (1: 0x02 italic, 0x04 underline, 0x08 strikethrough;
/// bold lives in the weight, bit 0 is written 0) | weight (2) | size (4: `sizeCy`, unsigned) |
/// name length n (1) | n name bytes, no terminator. Throws std::invalid_argument when `sizeCy`
/// is not 1..kMaxFontSizeCy or the name is longer than kMaxFontNameBytes: a size is never
/// wrapped and a name never cut.
std::vector<uint8_t> WriteFontStream(const FontDesc& font);

/// Reads the stream that `WriteFontStream` writes from the position of `in`, and moves `in` past
/// it when it reads, so that a caller can read on behind it. Flag bit 0 and the unassigned flag
/// bits are ignored. Fails at the first fault in stream order: a version byte that is not 0x01
/// (at the stream's start); fixed fields cut short (where `in` fails a read past its end); a
/// size of 0 (6 bytes into the stream, the size field); a name that runs past the end of `in`
/// (where `in` fails). Every size read is therefore 1..kMaxFontSizeCy and every name at most
/// kMaxFontNameBytes long.
Result<FontDesc> ReadFontStream(FieldReader& in);

/// Reads the stream from the start of `bytes` as above; when it reads, `consumed` receives its
/// length (11 + n). Fails for the faults above, at their offsets in `bytes` (a stream cut short
/// at the first missing byte, which is `bytes.size()`).
Result<FontDesc> ReadFontStream(std::span<const uint8_t> bytes, size_t& consumed);

}  // namespace platform
