#pragma once

#include <cstdint>
#include <vector>

#include "platform/image/image.h"

namespace artwork {

inline constexpr int32_t kSplashStripWidth = 112;

/// The splash window's strip, kSplashStripWidth x 1, opaque: dark navy at both ends rising
/// to white in the middle along a squared cosine, symmetric about the centre.
platform::Image SplashStripImage();

/// SplashStripImage as a JPEG file at quality 95.
std::vector<uint8_t> SplashStripFile();

}  // namespace artwork
