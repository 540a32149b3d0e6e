// Reads arbitrary bytes as a picture stream. A picture that reads must save the image file it
// was read from, and that stream must read back to the same picture.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/objects/picture_stream.h"

namespace {

constexpr size_t kHeaderSize = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    size_t consumed = 0;
    std::shared_ptr<const platform::Picture> picture;
    try {
        picture = platform::ReadPictureStream(bytes, consumed);
    } catch (const platform::StreamError& error) {
        if (error.Offset() > size) std::abort();
        return 0;
    }
    if (consumed > size) std::abort();
    const auto written = platform::WritePictureStream(picture);
    if (!picture) {
        if (consumed != kHeaderSize || written.size() != kHeaderSize) std::abort();
        return 0;
    }
    const auto& file = picture->FileBytes();
    if (!std::equal(file.begin(), file.end(), bytes.begin() + (consumed - file.size()),
                    bytes.begin() + consumed)) {
        std::abort();
    }
    const auto& image = picture->Pixels();
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
    size_t reconsumed = 0;
    const auto reread = platform::ReadPictureStream(written, reconsumed);
    if (reconsumed != written.size() || reread->FileBytes() != file || reread->Pixels() != image ||
        reread->HotSpot() != picture->HotSpot() || reread->Type() != picture->Type()) {
        std::abort();
    }
    return 0;
}
