#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/bytes/result.h"

namespace platform {

/// A persisted stream that cannot be read: `Offset()` is the byte offset, from the start of
/// the stream, of the wrong byte, or of the first missing byte when the stream is cut short.
/// `what()` gives the reason and the offset, `Reason()` the reason alone, for a caller that
/// states the place in its own terms.
class StreamError : public std::runtime_error {
  public:
    StreamError(const std::string& reason, size_t offset)
        : std::runtime_error(reason + " at byte " + std::to_string(offset)),
          reason_(reason),
          byteOffset_(offset) {}

    const std::string& Reason() const { return reason_; }
    size_t Offset() const { return byteOffset_; }

  private:
    std::string reason_;
    size_t byteOffset_;
};

/// The value of a stream's read, for callers that take a fault as an exception: throws its
/// error as a StreamError.
template <typename T>
T ValueOrThrow(Result<T> read) {
    if (read.IsError()) throw StreamError(read.Error().message, read.Error().offset);
    return std::move(read).Value();
}

}  // namespace platform
