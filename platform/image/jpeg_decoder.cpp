// JPEG through libjpeg-turbo, loaded for the decode (jpeg_library.h). A libjpeg error ends the
// stage that made the call by a longjmp (jpeg_errors.h); the caller returns a failed stage's
// message as its error. (The pixel vectors the rows go into belong to the caller's frame, which a
// jump never leaves.)
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/image/image.h"
#include "platform/image/jpeg_decode_memory.h"
#include "platform/image/jpeg_errors.h"
#include "platform/image/jpeg_work_limit.h"

namespace platform {
namespace {

// Warnings (level -1) mean corrupt or truncated data that libjpeg would paper over with grey;
// they fail the decode. Trace messages are ignored.
void EmitMessage(j_common_ptr info, int level) {
    if (level < 0) JpegErrorExit(info);
}

// Reads the header and starts decompression to RGBA under `work`'s limit. False when libjpeg
// reported an error.
bool StartDecode(const JpegLibrary& jpeg, jpeg_decompress_struct* info, JpegErrorManager* errors,
                 JpegWorkLimit* work, const uint8_t* data, size_t size, int64_t maxPixels) {
    if (setjmp(errors->jump)) return false;
    jpeg.createDecompress(info, JPEG_LIB_VERSION, sizeof *info);
    // Files are held to their budget once the header is read (JpegDecodeBytes); the cap keeps
    // libjpeg itself from ever growing past the largest budget.
    info->mem->max_memory_to_use = static_cast<long>(kMaxJpegDecodeBytes);
    jpeg.memSrc(info, data, static_cast<unsigned long>(size));
    jpeg.readHeader(info, TRUE);
    if (info->image_width > kMaxImageSide || info->image_height > kMaxImageSide) {
        std::snprintf(errors->message, sizeof errors->message, "image size out of range");
        return false;
    }
    if (int64_t{info->image_width} * info->image_height > maxPixels) {
        std::snprintf(errors->message, sizeof errors->message,
                      "a picture of %u x %u pixels is over the budget of %lld pixels",
                      info->image_width, info->image_height, static_cast<long long>(maxPixels));
        return false;
    }
    if (JpegDecodeBytes(*info) > JpegDecodeBudget(maxPixels)) {
        std::snprintf(errors->message, sizeof errors->message,
                      "a picture of %u x %u pixels needs %lld bytes to decode, over the budget "
                      "of %lld bytes",
                      info->image_width, info->image_height,
                      static_cast<long long>(JpegDecodeBytes(*info)),
                      static_cast<long long>(JpegDecodeBudget(maxPixels)));
        return false;
    }
    LimitJpegWork(info, work, size);
    info->out_color_space = JCS_EXT_RGBA;
    jpeg.startDecompress(info);
    return true;
}

// Appends the first `width` pixels of the first `height` scanlines to pixels, reserved for
// them all, a row at a time: the reserved memory is touched only as rows are written, so that a
// forged header that the data does not back costs no more than the rows the data holds. Rows
// wider than `width` (a crop widened to whole blocks) pass through `widerRow`, of their width.
// A picture read to its end is finished, which reports corrupt data after its last row. False
// on a libjpeg error.
bool ReadRows(const JpegLibrary& jpeg, jpeg_decompress_struct* info, JpegErrorManager* errors,
              JDIMENSION width, JDIMENSION height, std::vector<uint32_t>* widerRow,
              std::vector<uint32_t>* pixels) {
    if (setjmp(errors->jump)) return false;
    while (info->output_scanline < height) {
        pixels->resize(pixels->size() + width);
        uint32_t* const row = pixels->data() + pixels->size() - width;
        JSAMPROW target = reinterpret_cast<JSAMPROW>(widerRow->empty() ? row : widerRow->data());
        jpeg.readScanlines(info, &target, 1);
        if (!widerRow->empty()) std::copy_n(widerRow->data(), width, row);
    }
    if (height == info->output_height) jpeg.finishDecompress(info);
    return true;
}

// Narrows the decode to the first `width` columns; libjpeg widens the crop to whole blocks.
// False on a libjpeg error.
bool CropColumns(const JpegLibrary& jpeg, jpeg_decompress_struct* info, JpegErrorManager* errors,
                 JDIMENSION width) {
    if (setjmp(errors->jump)) return false;
    JDIMENSION left = 0;
    JDIMENSION cropWidth = width;
    if (width < info->output_width) jpeg.cropScanline(info, &left, &cropWidth);
    return true;
}

// Owns the decompressor so that it is destroyed on every path.
struct Decompressor {
    explicit Decompressor(std::shared_ptr<const JpegLibrary> jpeg) : library(std::move(jpeg)) {
        std::memset(&info, 0, sizeof info);
        info.err = InitJpegErrors(*library, &errors);
        errors.base.emit_message = EmitMessage;
    }
    ~Decompressor() { library->destroyDecompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // The error of the stage that libjpeg or our own hooks ended.
    ReadError Failure() const { return ReadError{std::string("JPEG: ") + errors.message}; }

    std::shared_ptr<const JpegLibrary> library;
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    JpegWorkLimit work{};
};

}  // namespace

Result<Image> DecodeJpeg(std::span<const uint8_t> file, int64_t maxPixels) {
    return TRY(DecodeJpegTopLeft(file, kMaxImageSide, kMaxImageSide, maxPixels)).image;
}

Result<ImagePart> DecodeJpegTopLeft(std::span<const uint8_t> file, int32_t width, int32_t height,
                                    int64_t maxPixels) {
    if (file.empty()) return ReadError{"JPEG: empty file"};
    Decompressor jpeg(TRY(LoadJpegLibrary()));
    if (!StartDecode(*jpeg.library, &jpeg.info, &jpeg.errors, &jpeg.work, file.data(), file.size(),
                     maxPixels)) {
        return jpeg.Failure();
    }
    if (jpeg.info.output_components != 4 || jpeg.info.output_width < 1 ||
        jpeg.info.output_height < 1 || jpeg.info.output_width > kMaxImageSide ||
        jpeg.info.output_height > kMaxImageSide) {
        return ReadError{"JPEG size out of range"};
    }
    const auto partWidth =
        static_cast<JDIMENSION>(std::clamp<int64_t>(width, 1, jpeg.info.output_width));
    const auto partHeight =
        static_cast<JDIMENSION>(std::clamp<int64_t>(height, 1, jpeg.info.output_height));
    if (!CropColumns(*jpeg.library, &jpeg.info, &jpeg.errors, partWidth)) return jpeg.Failure();
    Image image;
    image.width = static_cast<int32_t>(partWidth);
    image.height = static_cast<int32_t>(partHeight);
    // The size passed the pixel budget: reserving it at once, and exactly, keeps the rows from
    // reallocating (growth would overshoot it up to twice) and the picture from keeping spare
    // room.
    image.pixels.reserve(size_t{partWidth} * partHeight);
    std::vector<uint32_t> widerRow(jpeg.info.output_width > partWidth ? jpeg.info.output_width : 0);
    // RGBA bytes in memory are the little-endian value 0xAABBGGRR, with alpha 255.
    if (!ReadRows(*jpeg.library, &jpeg.info, &jpeg.errors, partWidth, partHeight, &widerRow,
                  &image.pixels))
        return jpeg.Failure();
    // A crop narrows the output; the header keeps the picture's whole size.
    return ImagePart{std::move(image), static_cast<int32_t>(jpeg.info.image_width),
                     static_cast<int32_t>(jpeg.info.image_height)};
}

}  // namespace platform
