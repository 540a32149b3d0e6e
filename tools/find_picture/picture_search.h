#pragma once

#include <optional>

#include "platform/gfx/geometry.h"
#include "platform/image/image.h"

namespace testing_support {

/// Where `picture` appears in `screen` with every pixel's colour equal (alpha is ignored): the
/// top-left corner of the first such place, in rows from the top; nothing when it appears
/// nowhere.
std::optional<platform::Point> FindPicture(const platform::Image& screen,
                                           const platform::Image& picture);

}  // namespace testing_support
