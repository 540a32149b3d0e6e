#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>

namespace platform {

/// Whether `count` bytes at `at` lie inside a span of `size` bytes, for any values (no sum that
/// could wrap round is formed).
constexpr bool FitsIn(size_t size, size_t at, size_t count) {
    return at <= size && count <= size - at;
}

/// The bytes `count` UTF-16 code units take. A count whose bytes no size_t holds gives the
/// largest size_t, which fits in no span, so that it fails the check rather than wrapping round
/// to a small one.
constexpr size_t UnitBytes(size_t count) {
    return count > std::numeric_limits<size_t>::max() / 2 ? std::numeric_limits<size_t>::max()
                                                          : 2 * count;
}

/// The little-endian values at the start of `bytes`, which holds at least their size.
inline uint16_t LoadU16(std::span<const uint8_t> bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}
inline uint32_t LoadU32(std::span<const uint8_t> bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

/// The little-endian UTF-16 code units that make up `bytes` (an even number of them).
inline std::u16string LoadUnits(std::span<const uint8_t> bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(LoadU16(bytes.subspan(2 * i)));
    return text;
}

}  // namespace platform
