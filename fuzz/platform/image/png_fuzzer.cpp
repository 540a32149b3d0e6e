// PNG decoder on arbitrary bytes: it must throw DecodeError or return an image that the PNG
// writer and decoder reproduce exactly.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform;
    Image image;
    try {
        image = DecodePng(std::span(data, size));
    } catch (const DecodeError&) {
        return 0;
    }
    if (DecodePng(EncodePng(image)) != image) std::abort();
    return 0;
}
