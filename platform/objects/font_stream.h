#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/objects/font_desc.h"
#include "platform/objects/stream_error.h"

namespace platform {

/// Class identifier of the standard font object, as its 16 bytes are stored in front of the
/// font's stream ({0BE35203-8F91-11CE-9DE3-00AA004BB851}, fields little-endian).
inline constexpr std::array<uint8_t, 16> kStdFontClassId = {
    0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11, 0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};

/// Writes the persisted stream of a font, 11 + n bytes, little-endian:
/// version 0x01 | charset (2) | flags (1: 0x02 italic, 0x04 underline, 0x08 strikethrough;
/// bold lives in the weight, bit 0 is written 0) | weight (2) | size (4: the low 32 bits of
/// `sizeCy`) | name length n (1) | n name bytes, no terminator. A name longer than 255 bytes
/// is cut to its first 255 bytes, the most the length byte can count.
std::vector<uint8_t> WriteFontStream(const FontDesc& font);

/// Reads the stream that `WriteFontStream` writes from the start of `bytes`; `consumed`
/// receives its length (11 + n), so a caller can read on behind it. Flag bit 0 and the
/// unassigned flag bits are ignored. Throws StreamError when the version byte is not 0x01
/// (offset 0) or when the fixed fields or the name run past the end of `bytes` (offset: the
/// first missing byte, which is `bytes.size()`).
FontDesc ReadFontStream(std::span<const uint8_t> bytes, size_t& consumed);

}  // namespace platform
