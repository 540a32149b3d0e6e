#pragma once

#include <cstddef>

#include "platform/bytes/byte_reader.h"
#include "platform/image/dib.h"
#include "platform/image/image.h"

namespace platform {

/// The colour image of a BI_RLE8 or BI_RLE4 bitmap (header.runLength) whose runs start at offset
/// of reader and may last to its end, by the run rules in DecodeBmp's comment (image.h): pixels
/// no run writes are transparent, and runs that would write or move outside the image, end too
/// early, claim over 4096 pixels per byte of runs, or whose own bytes pass the end of reader
/// fail.
Result<Image> ReadDibRunPixels(const DibHeader& header, const ByteReader& reader, size_t offset);

}  // namespace platform
