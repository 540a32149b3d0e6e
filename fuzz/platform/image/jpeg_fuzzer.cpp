// JPEG decoder on arbitrary bytes: it must fail or return an opaque image of the size it
// reports.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform;
    const Result<Image> decoded = DecodeJpeg(std::span(data, size));
    if (decoded.IsError()) return 0;
    const Image& image = decoded.Value();
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
    for (uint32_t pixel : image.pixels) {
        if (pixel >> 24 != 0xFF) std::abort();
    }
    return 0;
}
