#pragma once

#include <cstdint>
#include <vector>

#include "platform/image/image.h"

namespace artwork {

inline constexpr int32_t kBackgroundWidth = 544, kBackgroundHeight = 396;

/// The calculator window's background picture, kBackgroundWidth x kBackgroundHeight, opaque:
/// a diagonal gradient from mid blue to deep navy, lit by soft bands that follow slow sine
/// waves and by soft-edged glowing circles whose places and sizes come from a fixed seed.
platform::Image BackgroundImage();

/// BackgroundImage as a JPEG file at quality 90.
std::vector<uint8_t> BackgroundFile();

}  // namespace artwork
