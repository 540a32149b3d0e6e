// ICO/CUR decoder on arbitrary bytes: it must fail or return consistent images, and the images
// must survive the 32-bit icon writer and decoder unchanged (pixels with alpha 0 come back as
// 0).
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform;
    Result<std::vector<IconImage>> icons = DecodeIconFile(std::span(data, size));
    if (icons.IsError()) return 0;
    for (IconImage& icon : icons.Value()) {
        const Image& image = icon.image;
        if (image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
        if (image.width > 256 || image.height > 256 || image.width == 256 || image.height == 256) {
            continue;  // larger PNG entries are valid input but not writable as icons
        }
        icon.bitCount = 32;
        icon.hotSpotX = icon.hotSpotY = 0;
        const Result<std::vector<uint8_t>> file = EncodeIconFile(std::span(&icon, 1), false);
        if (file.IsError()) std::abort();
        const Result<std::vector<IconImage>> copy = DecodeIconFile(file.Value());
        if (copy.IsError()) std::abort();
        for (size_t i = 0; i < image.pixels.size(); ++i) {
            uint32_t want = image.pixels[i] >> 24 == 0 ? 0 : image.pixels[i];
            if (copy.Value().at(0).image.pixels[i] != want) std::abort();
        }
    }
    return 0;
}
