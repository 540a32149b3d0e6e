#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/image/image.h"

namespace platform {

/// Little-endian reads at offsets into a byte buffer. Every read is checked against the
/// buffer and throws DecodeError when any byte of it lies outside.
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes(bytes) {}

    size_t Size() const { return bytes.size(); }

    uint8_t U8(size_t offset) const { return Span(offset, 1)[0]; }
    uint16_t U16(size_t offset) const {
        auto b = Span(offset, 2);
        return static_cast<uint16_t>(b[0] | b[1] << 8);
    }
    uint32_t U32(size_t offset) const {
        auto b = Span(offset, 4);
        return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
               static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    }
    int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }

    /// The count bytes at offset; throws unless they all lie inside the buffer.
    std::span<const uint8_t> Span(size_t offset, size_t count) const {
        if (offset > bytes.size() || count > bytes.size() - offset) {
            throw DecodeError("image data ends early (needs " + std::to_string(count) +
                                  " bytes at offset " + std::to_string(offset) + ")",
                              bytes.size());
        }
        return bytes.subspan(offset, count);
    }

  private:
    std::span<const uint8_t> bytes;
};

}  // namespace platform
