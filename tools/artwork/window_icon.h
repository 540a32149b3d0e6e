#pragma once

#include <cstdint>
#include <vector>

#include "platform/image/image.h"
#include "tools/artwork/raster.h"

namespace artwork {

/// The sizes of the window icon's images, smallest first.
inline constexpr int32_t kWindowIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

/// The boxes the window icon is painted from at a size of 16 to 256 pixels, in painting order;
/// every edge lies on a whole pixel.
std::vector<RoundBox> WindowIconBoxes(int32_t size);

/// The window icon at a size of 16 to 256 pixels: a blue calculator body with a black display
/// showing green digits, two columns of white keys, a red operator column and a green equals
/// key, on a transparent ground: WindowIconBoxes painted by FillRoundBox.
platform::Image WindowIconImage(int32_t size);

/// The icon file of the window: every size of kWindowIconSizes, 32 bits with alpha, from 64 up
/// as PNG entries, which hold the large sizes in a tenth of the bytes.
std::vector<uint8_t> WindowIconFile();

/// The window icon as a scalable SVG image: the boxes of its largest size, which that size's
/// image is painted from.
std::vector<uint8_t> WindowIconSvg();

}  // namespace artwork
