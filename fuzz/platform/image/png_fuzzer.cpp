// PNG decoder on arbitrary bytes: it must fail or return an image that the PNG writer and
// decoder reproduce exactly.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform;
    const Result<Image> image = DecodePng(std::span(data, size));
    if (image.IsError()) return 0;
    const Result<std::vector<uint8_t>> file = EncodePng(image.Value());
    if (file.IsError()) std::abort();
    const Result<Image> copy = DecodePng(file.Value());
    if (copy.IsError() || copy.Value() != image.Value()) std::abort();
    return 0;
}
