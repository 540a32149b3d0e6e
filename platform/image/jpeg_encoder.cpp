// JPEG output through libjpeg-turbo, loaded for the encode (jpeg_library.h). A libjpeg error
// longjmps back to the setjmp of the one function that calls it (jpeg_errors.h); the caller returns
// its message as the error.
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/image/image.h"
#include "platform/image/jpeg_errors.h"

namespace platform {
namespace {

// Owns the compressor and the output buffer libjpeg allocates with malloc.
struct Compressor {
    explicit Compressor(std::shared_ptr<const JpegLibrary> jpeg) : library(std::move(jpeg)) {
        std::memset(&info, 0, sizeof info);
        info.err = InitJpegErrors(*library, &errors);
    }
    ~Compressor() {
        library->destroyCompress(&info);
        std::free(buffer);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    std::shared_ptr<const JpegLibrary> library;
    jpeg_compress_struct info;
    JpegErrorManager errors;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

// Runs the whole compression into the compressor's buffer. False when libjpeg reported an
// error.
bool Compress(Compressor* jpeg, const Image& image, int quality) {
    jpeg_compress_struct* info = &jpeg->info;
    const JpegLibrary& library = *jpeg->library;
    if (setjmp(jpeg->errors.jump)) return false;
    library.createCompress(info, JPEG_LIB_VERSION, sizeof *info);
    library.memDest(info, &jpeg->buffer, &jpeg->size);
    info->image_width = static_cast<JDIMENSION>(image.width);
    info->image_height = static_cast<JDIMENSION>(image.height);
    info->input_components = 4;
    info->in_color_space = JCS_EXT_RGBA;  // the bytes of 0xAABBGGRR in memory; alpha unused
    library.setDefaults(info);
    library.setQuality(info, quality, TRUE);
    for (int c = 0; c < info->num_components; ++c) {
        info->comp_info[c].h_samp_factor = 1;
        info->comp_info[c].v_samp_factor = 1;
    }
    info->optimize_coding = TRUE;
    library.startCompress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        const uint32_t* row =
            image.pixels.data() + static_cast<size_t>(info->next_scanline) * image.width;
        JSAMPROW samples = reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(row));
        library.writeScanlines(info, &samples, 1);
    }
    library.finishCompress(info);
    return true;
}

}  // namespace

Result<std::vector<uint8_t>> EncodeJpeg(const Image& image, int quality) {
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (image.width < 1 || image.height < 1 || image.width > kMaxImageSide ||
        image.height > kMaxImageSide || image.pixels.size() != count) {
        return ReadError{"EncodeJpeg: size does not match the pixels"};
    }
    if (quality < 1 || quality > 100) return ReadError{"EncodeJpeg: quality outside 1..100"};
    Compressor jpeg(TRY(LoadJpegLibrary()));
    if (!Compress(&jpeg, image, quality)) {
        return ReadError{std::string("JPEG encoding: ") + jpeg.errors.message};
    }
    return std::vector<uint8_t>(jpeg.buffer, jpeg.buffer + jpeg.size);
}

}  // namespace platform
