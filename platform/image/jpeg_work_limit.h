#pragma once

// The progress monitor that holds one JPEG decode to the work DecodeJpeg allows (image.h).
// libjpeg calls it before it decodes each row of MCUs, so it sees every scan start before any
// of that scan is decoded.
#include <cstddef>
#include <cstdint>

#include "platform/image/jpeg_errors.h"

namespace platform {

struct JpegWorkLimit {
    jpeg_progress_mgr base;  // first, so libjpeg's pointer to it is a pointer to the whole
    int64_t allowedWork = 0;
    int64_t workLeft = 0;  // what the scans not yet started may still spend
    int scansStarted = 0;
};

/// Makes `limit` the progress monitor of `info`, whose header has been read from a file of
/// `fileSize` bytes. The monitor stops the decode through JpegStop at the scan past
/// kMaxJpegScans and at the scan whose work takes the decode past
/// kJpegPicturePasses sequential passes over the picture and kJpegWorkPerFileByte for each byte
/// of the file; work that reaches the allowance exactly still decodes.
void LimitJpegWork(jpeg_decompress_struct* info, JpegWorkLimit* limit, size_t fileSize);

}  // namespace platform
