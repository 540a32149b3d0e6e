#include <algorithm>
#include <array>

#include "platform/image/image.h"

namespace platform {

ImageFormat SniffImageFormat(std::span<const uint8_t> file) {
    auto startsWith = [&](std::span<const uint8_t> prefix) {
        return file.size() >= prefix.size() &&
               std::equal(prefix.begin(), prefix.end(), file.begin());
    };
    static constexpr std::array<uint8_t, 2> kBmp{'B', 'M'};
    static constexpr std::array<uint8_t, 4> kIco{0, 0, 1, 0};
    static constexpr std::array<uint8_t, 4> kCur{0, 0, 2, 0};
    static constexpr std::array<uint8_t, 3> kJpeg{0xFF, 0xD8, 0xFF};
    static constexpr std::array<uint8_t, 8> kPng{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (startsWith(kBmp)) return ImageFormat::Bmp;
    if (startsWith(kIco)) return ImageFormat::Ico;
    if (startsWith(kCur)) return ImageFormat::Cur;
    if (startsWith(kJpeg)) return ImageFormat::Jpeg;
    if (startsWith(kPng)) return ImageFormat::Png;
    return ImageFormat::Unknown;
}

}  // namespace platform
