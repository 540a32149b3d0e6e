#include "platform/image/jpeg_work_limit.h"

#include <cstdio>

#include "platform/image/image.h"

namespace platform {
namespace {

constexpr int64_t kCoefficientsPerBlock = 64;

// The work of the scan whose header libjpeg has just read, in DecodeJpeg's units: for every
// block it decodes, the MCUs' padding blocks included when it interleaves several components,
// kJpegBlockWork and one unit a coefficient of its band, two in a refinement scan.
int64_t ScanWork(const jpeg_decompress_struct& info) {
    // A sequential scan decodes all 64 coefficients, whatever band its header names.
    const int64_t band = info.progressive_mode ? info.Se - info.Ss + 1 : kCoefficientsPerBlock;
    const int64_t perCoefficient = info.Ah != 0 ? 2 : 1;
    const int64_t blocks = int64_t{info.MCUs_per_row} * info.MCU_rows_in_scan * info.blocks_in_MCU;
    return blocks * (kJpegBlockWork + band * perCoefficient);
}

// Counts each scan as libjpeg starts it.
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
    limit->workLeft -= ScanWork(*info);
    if (limit->workLeft < 0) {
        std::snprintf(message, sizeof message,
                      "scan %d takes the decode past the %lld units of work this file may decode",
                      limit->scansStarted, static_cast<long long>(limit->allowedWork));
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
    const int64_t sequentialPass = pictureBlocks * (kJpegBlockWork + kCoefficientsPerBlock);
    limit->base.progress_monitor = CheckScan;
    limit->allowedWork =
        kJpegPicturePasses * sequentialPass + kJpegWorkPerFileByte * static_cast<int64_t>(fileSize);
    limit->workLeft = limit->allowedWork;
    limit->scansStarted = 0;
    info->progress = &limit->base;
}

}  // namespace platform
