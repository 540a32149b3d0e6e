// PNG through libpng's simplified API, which reports errors through its return value and
// message rather than longjmp, so no C++ frame is ever skipped.
#include <png.h>

#include <cstring>
#include <string>

#include "platform/image/image.h"
#include "platform/image/png_chunks.h"
#include "platform/image/png_image_data.h"

namespace platform {
namespace {

// Releases libpng's state for a png_image however decoding ends.
class PngImage {
  public:
    PngImage() {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image image;
};

// Deflate expands at most about 1032 times, and every row holds a filter byte and at least
// one bit per pixel; a file claiming more pixels than its bytes can carry is malformed.
// Checking this before allocating keeps a few forged header bytes from costing gigabytes.
constexpr uint64_t kMaxInflateRatio = 1032;

Result<void> CheckPlausibleSize(uint32_t width, uint32_t height, size_t fileSize) {
    if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) {
        return ReadError{"PNG size out of range"};
    }
    uint64_t minRawBytes = uint64_t{height} * (1 + (uint64_t{width} + 7) / 8);
    if (minRawBytes > kMaxInflateRatio * fileSize) {
        return ReadError{"PNG size exceeds what its data can hold"};
    }
    return {};
}

}  // namespace

Result<Image> DecodePng(std::span<const uint8_t> file, int64_t maxPixels) {
    if (SniffImageFormat(file) != ImageFormat::Png) return ReadError{"not a PNG file"};
    const std::vector<uint8_t> chunks = TRY(ChunksToDecode(file));
    PngImage png;
    if (!png_image_begin_read_from_memory(&png.image, chunks.data(), chunks.size())) {
        return ReadError{std::string("PNG: ") + png.image.message};
    }
    TRY(CheckPlausibleSize(png.image.width, png.image.height, chunks.size()));
    TRY(CheckPixelBudget(png.image.width, png.image.height, maxPixels));
    TRY(CheckInflatedSize(chunks));
    png.image.format = PNG_FORMAT_RGBA;
    Image image;
    image.width = static_cast<int32_t>(png.image.width);
    image.height = static_cast<int32_t>(png.image.height);
    image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    // RGBA bytes in memory are the little-endian value 0xAABBGGRR.
    if (!png_image_finish_read(&png.image, nullptr, image.pixels.data(), 0, nullptr)) {
        return ReadError{std::string("PNG: ") + png.image.message};
    }
    return image;
}

Result<std::vector<uint8_t>> EncodePng(const Image& image) {
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (image.width < 1 || image.height < 1 || image.pixels.size() != count) {
        return ReadError{"EncodePng: size does not match the pixels"};
    }
    bool opaque = true;
    for (uint32_t pixel : image.pixels)
        opaque = opaque && pixel >> 24 == 0xFF;
    std::vector<uint8_t> bytes;
    bytes.reserve(count * (opaque ? 3 : 4));
    for (uint32_t pixel : image.pixels) {
        bytes.push_back(static_cast<uint8_t>(pixel));
        bytes.push_back(static_cast<uint8_t>(pixel >> 8));
        bytes.push_back(static_cast<uint8_t>(pixel >> 16));
        if (!opaque) bytes.push_back(static_cast<uint8_t>(pixel >> 24));
    }

    PngImage png;
    png.image.width = static_cast<png_uint_32>(image.width);
    png.image.height = static_cast<png_uint_32>(image.height);
    png.image.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png.image, nullptr, &size, 0, bytes.data(), 0, nullptr)) {
        return ReadError{std::string("PNG encoding: ") + png.image.message};
    }
    std::vector<uint8_t> file(size);
    if (!png_image_write_to_memory(&png.image, file.data(), &size, 0, bytes.data(), 0, nullptr)) {
        return ReadError{std::string("PNG encoding: ") + png.image.message};
    }
    file.resize(size);
    return file;
}

}  // namespace platform
