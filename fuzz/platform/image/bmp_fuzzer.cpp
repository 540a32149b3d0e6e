// BMP decoder on arbitrary bytes: it must throw DecodeError or return a consistent image, and
// a decoded image must survive the 24-bit writer and decoder with its colours.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform;
    Image image;
    try {
        image = DecodeBmp(std::span(data, size));
    } catch (const DecodeError&) {
        return 0;
    }
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
    Image copy = DecodeBmp(EncodeBmp24(image));
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        if (copy.pixels[i] != (image.pixels[i] | 0xFF000000)) std::abort();
    }
    return 0;
}
