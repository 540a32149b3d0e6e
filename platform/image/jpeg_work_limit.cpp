#include "platform/image/jpeg_work_limit.h"

#include <cstdio>

#include "platform/image/image.h"

namespace platform {
namespace {

// Counts each scan as libjpeg starts it: every block of the scan's components, with the MCUs'
// padding blocks when it interleaves several.
void CheckScan(j_common_ptr common) {
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    auto* limit = reinterpret_cast<JpegWorkLimit*>(info->progress);
    if (info->input_scan_number <= limit->scansStarted) return;
    limit->scansStarted = info->input_scan_number;
    char message[JMSG_LENGTH_MAX];
    if (limit->scansStarted > kMaxJpegScans) {
        std::snprintf(message, sizeof message, "more than %d scans", kMaxJpegScans);
        JpegStop(common, message);
    }
    limit->blocksLeft -= int64_t{info->MCUs_per_row} * info->MCU_rows_in_scan * info->blocks_in_MCU;
    if (limit->blocksLeft < 0) {
        std::snprintf(message, sizeof message,
                      "scan %d takes the decode past the %lld blocks this file may decode",
                      limit->scansStarted, static_cast<long long>(limit->allowedBlocks));
        JpegStop(common, message);
    }
}

}  // namespace

void LimitJpegWork(jpeg_decompress_struct* info, JpegWorkLimit* limit, size_t fileSize) {
    int64_t pictureBlocks = 0;
    for (int c = 0; c < info->num_components; ++c) {
        const jpeg_component_info& component = info->comp_info[c];
        pictureBlocks += int64_t{component.width_in_blocks} * component.height_in_blocks;
    }
    limit->base.progress_monitor = CheckScan;
    limit->allowedBlocks = kJpegPicturePasses * pictureBlocks +
                           kJpegBlocksPerFileByte * static_cast<int64_t>(fileSize);
    limit->blocksLeft = limit->allowedBlocks;
    limit->scansStarted = 0;
    info->progress = &limit->base;
}

}  // namespace platform
