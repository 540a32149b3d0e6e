#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

/// The hand shown over the keys: a white hand with a black outline and a raised index
/// finger, as a 32 x 32 monochrome cursor file whose hot spot (5, 0) is the fingertip.
std::vector<uint8_t> HandCursorFile();

}  // namespace artwork
