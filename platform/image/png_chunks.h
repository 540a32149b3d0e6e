#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/bytes/result.h"

namespace platform {

/// A PNG file, its signature already checked, with only the chunks its pixels depend on: every
/// critical chunk, and of the ancillary ones tRNS, gAMA, cHRM, sRGB, sBIT, bKGD and the first
/// iCCP, up to IEND. libpng's simplified reader would read the others before the image data,
/// inflating every zTXt, iTXt and iCCP chunk and keeping the text, and then throw them away.
/// Fails unless IHDR comes first and every chunk up to IEND lies inside the file with a matching
/// checksum: libpng stops after the image data and ignores checksum errors in ancillary chunks,
/// and this makes a damaged file an error wherever the damage is.
Result<std::vector<uint8_t>> ChunksToDecode(std::span<const uint8_t> file);

}  // namespace platform
