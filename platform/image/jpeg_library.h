#pragma once

// libjpeg's entry points, loaded while a JPEG is decoded or encoded. The library's code is
// about half a megabyte; loaded for each use, it leaves memory again once the last user lets
// go, so that a program that decodes its artwork at start-up does not keep it resident.
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <memory>

#include <jpeglib.h>

#include "platform/bytes/result.h"

namespace platform {

struct JpegLibrary {
    decltype(&jpeg_std_error) stdError;
    decltype(&jpeg_CreateDecompress) createDecompress;
    decltype(&jpeg_mem_src) memSrc;
    decltype(&jpeg_read_header) readHeader;
    decltype(&jpeg_start_decompress) startDecompress;
    decltype(&jpeg_crop_scanline) cropScanline;
    decltype(&jpeg_read_scanlines) readScanlines;
    decltype(&jpeg_finish_decompress) finishDecompress;
    decltype(&jpeg_destroy_decompress) destroyDecompress;
    decltype(&jpeg_CreateCompress) createCompress;
    decltype(&jpeg_mem_dest) memDest;
    decltype(&jpeg_set_defaults) setDefaults;
    decltype(&jpeg_set_quality) setQuality;
    decltype(&jpeg_start_compress) startCompress;
    decltype(&jpeg_write_scanlines) writeScanlines;
    decltype(&jpeg_finish_compress) finishCompress;
    decltype(&jpeg_destroy_compress) destroyCompress;
};

/// libjpeg (the shared library of the version these headers describe), loaded if no one holds
/// it yet, and kept loaded while the result lives. Fails naming the library when it cannot be
/// loaded or lacks an entry point.
Result<std::shared_ptr<const JpegLibrary>> LoadJpegLibrary();

}  // namespace platform
