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
    int64_t allowedBlocks = 0;
    int64_t blocksLeft = 0;  // what the scans not yet started may still decode
    int scansStarted = 0;
};

/// Makes `limit` the progress monitor of `info`, whose header has been read from a file of
/// `fileSize` bytes. The monitor stops the decode through JpegStop at the scan past
/// kMaxJpegScans and at the scan whose blocks take the decode past kJpegPicturePasses times the
/// picture's blocks and kJpegBlocksPerFileByte for each byte of the file.
void LimitJpegWork(jpeg_decompress_struct* info, JpegWorkLimit* limit, size_t fileSize);

}  // namespace platform
