#pragma once

#include <cstddef>
#include <utility>

#include "platform/bytes/result.h"

namespace platform {

/// The result of decoding a part of a file from the bytes that start `offset` bytes into it,
/// with a fault placed in the file: its offset in the part, `offset` more.
template <typename T>
Result<T> FromPartAt(size_t offset, Result<T> part) {
    if (!part.IsError()) return part;
    ReadError error = std::move(part).Error();
    error.offset += offset;
    return error;
}

}  // namespace platform
