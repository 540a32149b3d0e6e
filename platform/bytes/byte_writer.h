#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

/// Appends little-endian values to a byte vector. The integer writes keep the low 8, 16 or 32
/// bits of the value they are given.
class ByteWriter {
  public:
    size_t Size() const { return bytes_.size(); }

    void U8(uint32_t value) { bytes_.push_back(static_cast<uint8_t>(value)); }
    void U16(uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(uint32_t value) {
        U16(value);
        U16(value >> 16);
    }
    /// Each UTF-16 code unit as a 16-bit value.
    void Units(std::u16string_view text) {
        for (const char16_t unit : text)
            U16(unit);
    }
    void Append(std::span<const uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    void Zeros(size_t count) { bytes_.resize(bytes_.size() + count, 0); }

    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace platform
