#pragma once

#include <cstdint>

#include "platform/gfx/region.h"

namespace button {

/// The window shape of a look at a client size: the rectangle (0, 0, w, h) less single corner
/// pixels, or an ellipse.
///
/// | ButtonType           | pixels removed                                              |
/// |----------------------|-------------------------------------------------------------|
/// | 1, 14                | the four corners                                            |
/// | 5                    | bottom-left and top-right corners only                      |
/// | 3, 4                 | three pixels at each corner: the corner and its two         |
/// |                      | neighbours along the edges                                  |
/// | 13                   | the region is the ellipse inscribed in (0, 0, w, h)         |
/// | 2, 6 to 12, others   | none                                                        |
///
/// A width or height of 0 gives an empty region.
platform::Region BuildWindowShape(int32_t buttonType, int32_t w, int32_t h);

}  // namespace button
