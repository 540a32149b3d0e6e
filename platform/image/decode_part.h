#pragma once

#include <cstddef>
#include <string>

#include "platform/bytes/byte_reader.h"
#include "platform/image/image.h"

namespace platform {

/// Returns decode(), which reads only through readers over the bytes that start `offset` bytes
/// into the file, and reports its faults at their place in the file: a DecodeError at `offset`
/// more, and a read outside those bytes as image data that ends early, at `offset` more than
/// their first missing byte.
template <typename Decode>
auto DecodePart(size_t offset, Decode decode) -> decltype(decode()) {
    try {
        return decode();
    } catch (const ByteRangeError& error) {
        throw DecodeError("image data ends early (needs " + std::to_string(error.Count()) +
                              " bytes at offset " + std::to_string(error.At()) + ")",
                          offset + error.Offset());
    } catch (const DecodeError& error) {
        throw DecodeError(error.what(), offset + error.Offset());
    }
}

}  // namespace platform
