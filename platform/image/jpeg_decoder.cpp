// JPEG through libjpeg-turbo, loaded for the decode (jpeg_library.h). A libjpeg error ends the
// stage that made the call by a longjmp (jpeg_errors.h); the caller returns a failed stage's
// message as its error. (The pixel vector the rows go into belongs to the caller's frame, which a
// jump never leaves.)
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

// Appends every scanline to pixels, reserved for them all, a row at a time: the reserved
// memory is touched only as rows are written, so that a forged header that the data does not
// back costs no more than the rows the data holds. False on a libjpeg error.
bool ReadRows(const JpegLibrary& jpeg, jpeg_decompress_struct* info, JpegErrorManager* errors,
              std::vector<uint32_t>* pixels) {
    if (setjmp(errors->jump)) return false;
    while (info->output_scanline < info->output_height) {
        pixels->resize(pixels->size() + info->output_width);
        JSAMPROW row =
            reinterpret_cast<JSAMPROW>(pixels->data() + pixels->size() - info->output_width);
        jpeg.readScanlines(info, &row, 1);
    }
    jpeg.finishDecompress(info);
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
    Image image;
    image.width = static_cast<int32_t>(jpeg.info.output_width);
    image.height = static_cast<int32_t>(jpeg.info.output_height);
    // The size passed the pixel budget: reserving it at once, and exactly, keeps the rows from
    // reallocating (growth would overshoot it up to twice) and the picture from keeping spare
    // room.
    image.pixels.reserve(size_t{jpeg.info.output_width} * jpeg.info.output_height);
    // RGBA bytes in memory are the little-endian value 0xAABBGGRR, with alpha 255.
    if (!ReadRows(*jpeg.library, &jpeg.info, &jpeg.errors, &image.pixels)) return jpeg.Failure();
    return image;
}

}  // namespace platform
