#include "tools/artwork/splash_strip.h"

#include <cmath>
#include <numbers>

#include "tools/artwork/raster.h"

namespace artwork {
namespace {

constexpr uint32_t kEnd = 0x501808;  // dark navy, 0x00BBGGRR
constexpr uint32_t kMiddle = 0xFFFFFF;

}  // namespace

platform::Image SplashStripImage() {
    platform::Image image{kSplashStripWidth, 1, {}};
    const double half = kSplashStripWidth / 2.0;
    for (int32_t x = 0; x < kSplashStripWidth; ++x) {
        const double distance = std::abs(x + 0.5 - half) / half;  // 0 centre, 1 at the ends
        const double c = std::cos(distance * std::numbers::pi / 2);
        image.pixels.push_back(0xFF000000 | MixColour(kEnd, kMiddle, c * c));
    }
    return image;
}

std::vector<uint8_t> SplashStripFile() {
    return platform::ValueOrThrow(platform::EncodeJpeg(SplashStripImage(), 95));
}

}  // namespace artwork
