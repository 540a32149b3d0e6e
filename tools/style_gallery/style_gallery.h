#pragma once

#include "platform/image/image.h"

namespace button {

/// One sheet of every ButtonType 1 to 14 (rows) in the states up, lit, down, disabled and
/// focused for each ColorScheme 1 to 4 (columns, grouped by scheme), then a row of one
/// picture in each PicturePosition 0 to 4. Rows, groups and cells are labelled. Each button
/// is drawn by RenderShot; the Transparent look stands over a checkerboard parent. Opaque.
platform::Image RenderGallery();

}  // namespace button
