#pragma once

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// Copies the pixels of `from` on src to dst, the rectangle's top-left corner landing on `at`.
/// Source pixels outside src leave their destination pixels untouched; destination pixels off
/// dst or outside its clip region are not written. src's clip region does not limit reading.
/// src and dst may be the same surface, with overlapping rectangles: the result is as if the
/// source were read completely before anything is written.
void CopyRect(Surface& dst, Point at, const Surface& src, const Rect& from);

}  // namespace platform
