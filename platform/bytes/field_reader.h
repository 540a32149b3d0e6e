#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/bytes/little_endian.h"
#include "platform/bytes/result.h"

namespace platform {

/// Reads the fields of stored bytes in order from a position, little-endian, without throwing.
/// Each read names its field by the message it fails with: a read that needs bytes past the end
/// returns that message as a ReadError and moves nothing. The error lies at the first missing
/// byte, the end of the bytes, or, in a reader made by Part, where the part starts.
class FieldReader {
  public:
    /// Reads `bytes` from `pos`, which is at most their size.
    explicit FieldReader(std::span<const uint8_t> bytes, size_t pos = 0)
        : bytes_(bytes), pos_(pos), failAt_(bytes.size()) {}

    /// Reads the part of `bytes` that starts at `at`, for a format that reports a part cut short
    /// where the part starts rather than where the bytes run out.
    static FieldReader Part(std::span<const uint8_t> bytes, size_t at) {
        FieldReader part(bytes, at);
        part.failAt_ = at;
        return part;
    }

    size_t Pos() const { return pos_; }
    /// The bytes from the position to the end; the position stays.
    std::span<const uint8_t> Rest() const { return bytes_.subspan(pos_); }

    Result<std::span<const uint8_t>> Take(size_t count, std::string_view failure) {
        if (!FitsIn(bytes_.size(), pos_, count)) return ReadError{std::string(failure), failAt_};
        const auto taken = bytes_.subspan(pos_, count);
        pos_ += count;
        return taken;
    }
    /// Everything from the position to the end.
    std::span<const uint8_t> TakeRest() {
        const auto rest = Rest();
        pos_ = bytes_.size();
        return rest;
    }
    Result<uint8_t> U8(std::string_view failure) { return TRY(Take(1, failure))[0]; }
    Result<uint16_t> U16(std::string_view failure) { return LoadU16(TRY(Take(2, failure))); }
    Result<uint32_t> U32(std::string_view failure) { return LoadU32(TRY(Take(4, failure))); }
    /// `count` UTF-16 code units.
    Result<std::u16string> Units(size_t count, std::string_view failure) {
        return LoadUnits(TRY(Take(UnitBytes(count), failure)));
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_;
    size_t failAt_;  // where a read past the end fails
};

}  // namespace platform
