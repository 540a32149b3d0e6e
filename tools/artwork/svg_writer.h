#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tools/artwork/raster.h"

namespace artwork {

/// An SVG 1.1 document of side x side pixels that paints the boxes in order as FillRoundBox
/// does: each a rectangle with its corner radius, filled with its top colour or, when its
/// colours differ and it is more than one row high, with a vertical gradient from the centre of
/// its first row to the centre of its last. Numbers are the shortest decimals that read back
/// as the same values.
std::string RoundBoxesSvg(int32_t side, std::span<const RoundBox> boxes);

}  // namespace artwork
