#pragma once

#include <cstdint>

namespace platform {

// Flags of DrawText, with the desktop's values so stored and documented flag words read as is.
constexpr uint32_t kTextCenter = 0x1;       // centre each line horizontally
constexpr uint32_t kTextVCenter = 0x4;      // centre vertically; single-line text only
constexpr uint32_t kTextWordBreak = 0x10;   // break lines at spaces to fit the width
constexpr uint32_t kTextSingleLine = 0x20;  // one line; CR and LF are drawn as characters
constexpr uint32_t kTextCalcRect = 0x400;   // measure only: set the rectangle, draw nothing
constexpr uint32_t kTextNoPrefix = 0x800;   // "&" is an ordinary character

}  // namespace platform
