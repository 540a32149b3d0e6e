#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

/// The pointer over the "About" label: the white arrow with a black outline and, beside it,
/// a black question mark edged in white, as a 32 x 32 monochrome cursor file whose hot spot
/// (0, 0) is the arrow's tip.
std::vector<uint8_t> HelpPointerFile();

}  // namespace artwork
