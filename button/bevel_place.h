#pragma once

#include <cstdint>

namespace button {

// Arguments of PaintBevel by name: where the bevel lies, and whether it has an inner frame.
constexpr int16_t kOnEdge = 0;  // on the client edge
constexpr int16_t kOneIn = -1;  // one pixel further in
constexpr bool kDouble = false;
constexpr bool kSingle = true;

}  // namespace button
