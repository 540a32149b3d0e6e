#pragma once

#include <cstdint>

namespace platform {

/// The largest em a font is rendered at; larger sizes are clamped so that a stored size can
/// never ask for glyph bitmaps of unbounded size.
constexpr int32_t kMaxEmPixels = 1024;

/// The em height in pixels of a font of `sizeCy` points × 10000 on a 96 dpi display, the way
/// the desktop realises a point size: h = sizeCy × 96 / 72 in 1/10000 pixel, rounded half away
/// from zero; the em is h / 10000, one pixel more when the remainder exceeds 5000. So 9 pt is
/// 12 pixels, 9.75 pt 13 and 14.25 pt 19. The result is clamped to 1..kMaxEmPixels.
int32_t EmPixels(int64_t sizeCy);

}  // namespace platform
