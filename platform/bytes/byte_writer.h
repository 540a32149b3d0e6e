#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

/// Appends little-endian values to a byte vector.
class ByteWriter {
  public:
    void U8(uint32_t value) { bytes.push_back(static_cast<uint8_t>(value)); }
    void U16(uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(uint32_t value) {
        U16(value);
        U16(value >> 16);
    }
    void Append(std::span<const uint8_t> data) {
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    std::vector<uint8_t> Take() { return std::move(bytes); }

  private:
    std::vector<uint8_t> bytes;
};

}  // namespace platform
