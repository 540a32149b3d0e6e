// Reads arbitrary bytes as a font stream. A stream that reads must write back to exactly the
// bytes it was read from, bar the ignored flag bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/objects/font_stream.h"

namespace {

constexpr size_t kFlagsAt = 3;
constexpr uint8_t kKeptFlags = 0x0E;  // italic, underline, strikethrough

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    size_t consumed = 0;
    const auto read = platform::ReadFontStream(bytes, consumed);
    if (read.IsError()) {
        if (read.Error().offset > size) std::abort();
        return 0;
    }
    const platform::FontDesc& font = read.Value();
    if (consumed > size) std::abort();
    auto written = platform::WriteFontStream(font);
    if (written.size() != consumed) std::abort();
    for (size_t i = 0; i < consumed; ++i) {
        const uint8_t expected = i == kFlagsAt ? bytes[i] & kKeptFlags : bytes[i];
        if (written[i] != expected) std::abort();
    }
    return 0;
}
