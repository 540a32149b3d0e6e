#pragma once

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/ui/window.h"

namespace platform {

/// Recomposes the logical pixels `area` of a top-level window's framebuffer, device pixel for
/// device pixel (each window's surface lies on the framebuffer's device pixels at its place):
/// the window's own surface first, then each visible child in z-order from the bottom, each
/// clipped by its parent's client area and by its own shape (and so by every ancestor's
/// shape), recursively. Pixels of `area` outside the framebuffer are ignored; pixels of the
/// framebuffer outside `area` are left untouched.
void ComposeArea(const Window& topLevel, Surface& framebuffer, const Rect& area);

}  // namespace platform
