#pragma once

#include <cstdint>
#include <span>

#include "platform/bytes/result.h"

namespace platform {

/// Fails when the image data of a PNG file as ChunksToDecode gives it (its IDAT chunks) inflates
/// to more bytes than the rows its IHDR describes hold, filter bytes and interlace passes
/// included. libpng would inflate all of the excess and throw it away: up to a thousand bytes
/// for each byte of the file, whatever the picture's size. Data that ends early or does not
/// inflate is left for libpng to refuse.
Result<void> CheckInflatedSize(std::span<const uint8_t> chunks);

}  // namespace platform
