#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/bytes/little_endian.h"
#include "platform/bytes/result.h"

namespace platform {

/// Reads the bytes of a span at given offsets, little-endian unless a name says otherwise.
/// Every read is checked against the span: one that needs any byte outside fails as image data
/// that ends early, "image data ends early (needs <count> bytes at offset <at>)", at the first
/// missing byte, the end of the span. The image decoders read through it and pass its failures
/// on as their own; stored settings and their streams read through FieldReader, whose reads
/// name their fields.
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }

    Result<uint8_t> U8At(size_t at) const { return TRY(BytesAt(at, 1))[0]; }
    Result<uint16_t> U16At(size_t at) const { return LoadU16(TRY(BytesAt(at, 2))); }
    Result<uint32_t> U32At(size_t at) const { return LoadU32(TRY(BytesAt(at, 4))); }
    Result<int32_t> I32At(size_t at) const { return static_cast<int32_t>(TRY(U32At(at))); }
    Result<uint32_t> U32BigEndianAt(size_t at) const {
        const auto b = TRY(BytesAt(at, 4));
        return uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | uint32_t{b[3]};
    }
    Result<std::span<const uint8_t>> BytesAt(size_t at, size_t count) const {
        if (!FitsIn(bytes_.size(), at, count)) {
            return ReadError{"image data ends early (needs " + std::to_string(count) +
                                 " bytes at offset " + std::to_string(at) + ")",
                             bytes_.size()};
        }
        return bytes_.subspan(at, count);
    }

  private:
    std::span<const uint8_t> bytes_;
};

}  // namespace platform
