#pragma once

#include <cstdint>

#include "platform/image/image.h"

namespace button {

/// One sheet of every look of the looks' table, labelled with its ButtonType and name (rows),
/// in the states up, lit, down, disabled and focused for each ColorScheme 1 to 4 (columns,
/// grouped by scheme), then a row of one picture in each PicturePosition 0 to 4. Rows, groups
/// and cells are labelled. Each button is drawn by RenderShot; a look that captures its parent
/// stands over a checkerboard parent. Opaque.
platform::Image RenderGallery();

/// The gallery's headings and the row of the look of `buttonType` (1 to 14) alone. Opaque.
platform::Image RenderLookSheet(int32_t buttonType);

}  // namespace button
