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
    const auto read = platform::ReadPictureStream(bytes, consumed);
    if (read.IsError()) {
        if (read.Error().offset > size) std::abort();
        return 0;
    }
    const std::shared_ptr<const platform::Picture>& picture = read.Value();
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
    if (reread.IsError()) std::abort();
    const platform::Picture& again = *reread.Value();
    if (reconsumed != written.size() || again.FileBytes() != file || again.Pixels() != image ||
        again.HotSpot() != picture->HotSpot() || again.Type() != picture->Type()) {
        std::abort();
    }
    return 0;
}
