#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "platform/bytes/little_endian.h"

namespace platform {

/// Thrown by ByteReader for a read that needs bytes outside its span. Each user reports it in
/// its own terms: `At()` and `Count()` describe the read, `Offset()` is the first missing byte,
/// the end of the span.
class ByteRangeError : public std::out_of_range {
  public:
    ByteRangeError(size_t at, size_t count, size_t size)
        : std::out_of_range("read of " + std::to_string(count) + " bytes at offset " +
                            std::to_string(at) + " passes the end at " + std::to_string(size)),
          at_(at),
          count_(count),
          size_(size) {}

    size_t At() const { return at_; }
    size_t Count() const { return count_; }
    size_t Offset() const { return size_; }

  private:
    size_t at_;
    size_t count_;
    size_t size_;
};

/// Reads the bytes of a span, little-endian unless a name says otherwise, either at given
/// offsets or in order from a position that starts at 0. Every read is checked against the
/// span and throws ByteRangeError when it needs any byte outside; a read that throws moves
/// nothing. The image decoders read through it and report its exceptions as their own; stored
/// settings and their streams read through FieldReader, which returns its failures instead.
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }

    // Reads at an offset; the position stays where it is.
    uint8_t U8At(size_t at) const { return BytesAt(at, 1)[0]; }
    uint16_t U16At(size_t at) const { return LoadU16(BytesAt(at, 2)); }
    uint32_t U32At(size_t at) const { return LoadU32(BytesAt(at, 4)); }
    int32_t I32At(size_t at) const { return static_cast<int32_t>(U32At(at)); }
    uint32_t U32BigEndianAt(size_t at) const {
        const auto b = BytesAt(at, 4);
        return uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | uint32_t{b[3]};
    }
    std::span<const uint8_t> BytesAt(size_t at, size_t count) const {
        if (!FitsIn(bytes_.size(), at, count)) throw ByteRangeError(at, count, bytes_.size());
        return bytes_.subspan(at, count);
    }

    // Reads in order from the position, which moves past what they read.
    size_t Pos() const { return pos_; }
    std::span<const uint8_t> Take(size_t count) {
        const auto taken = BytesAt(pos_, count);
        pos_ += count;
        return taken;
    }
    void Skip(size_t count) { Take(count); }
    /// The bytes from the position to the end; the position stays.
    std::span<const uint8_t> Rest() const { return bytes_.subspan(pos_); }
    uint8_t U8() {
        const uint8_t value = U8At(pos_);
        pos_ += 1;
        return value;
    }
    uint16_t U16() {
        const uint16_t value = U16At(pos_);
        pos_ += 2;
        return value;
    }
    uint32_t U32() {
        const uint32_t value = U32At(pos_);
        pos_ += 4;
        return value;
    }
    /// `count` UTF-16 code units, little-endian.
    std::u16string Units(size_t count) { return LoadUnits(Take(UnitBytes(count))); }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

}  // namespace platform
