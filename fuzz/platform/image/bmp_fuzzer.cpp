// BMP decoder on arbitrary bytes: it must fail or return a consistent image, and a decoded
// image must survive the 24-bit writer and decoder with its colours.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform;
    const Result<Image> decoded = DecodeBmp(std::span(data, size));
    if (decoded.IsError()) return 0;
    const Image& image = decoded.Value();
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
    const Result<std::vector<uint8_t>> file = EncodeBmp24(image);
    if (file.IsError()) std::abort();
    const Result<Image> copy = DecodeBmp(file.Value());
    if (copy.IsError()) std::abort();
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        if (copy.Value().pixels[i] != (image.pixels[i] | 0xFF000000)) std::abort();
    }
    return 0;
}
