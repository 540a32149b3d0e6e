#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace platform {

/// A persisted stream that cannot be read: `Offset()` is the byte offset, from the start of
/// the stream, of the wrong byte, or of the first missing byte when the stream is cut short.
class StreamError : public std::runtime_error {
  public:
    StreamError(const std::string& what, size_t offset)
        : std::runtime_error(what + " at byte " + std::to_string(offset)), byteOffset(offset) {}

    size_t Offset() const { return byteOffset; }

  private:
    size_t byteOffset;
};

}  // namespace platform
