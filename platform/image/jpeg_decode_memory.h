#pragma once

// What one JPEG decode will hold, known once the header is read, so that a file that would
// take too much is refused before libjpeg allocates it.
#include <cstdint>

#include "platform/image/jpeg_errors.h"

namespace platform {

/// The bytes a decode of `info` (its header read) holds at once: its RGBA pixels, 4 bytes each,
/// and, when the file has several scans (progressive, or a first scan that leaves out a
/// component), libjpeg's buffer of every coefficient: 128 bytes a block, each component's
/// blocks rounded up to whole MCUs.
int64_t JpegDecodeBytes(const jpeg_decompress_struct& info);

/// The most bytes a decode within `maxPixels` pixels may hold: kJpegDecodeBytesPerPixel bytes
/// a pixel of the budget, at most kMaxJpegDecodeBytes.
int64_t JpegDecodeBudget(int64_t maxPixels);

}  // namespace platform
