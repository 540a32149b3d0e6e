#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

/// The pointer icon stored with every calculator key: a 32 × 32, 16-colour icon file of an
/// arrow over a small keypad.
std::vector<uint8_t> KeyPointerIconFile();

}  // namespace artwork
