#pragma once

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/ui/window.h"

namespace platform {

/// Composes the logical pixels `area` of a top-level window (its client coordinates) into
/// `into`, which lies on the window's device pixels at its grid's origin, device pixel for
/// device pixel (each window's surface lies on the same device pixels at its place): the
/// window's own surface (or, drawn on demand, the window's drawing) first, then each visible child
/// in z-order from the bottom, each clipped by its parent's client area and by its own shape (and
/// so by every ancestor's shape), recursively. Pixels of `area` outside `into` are ignored; pixels
/// of `into` outside `area` are left untouched.
void ComposeArea(const Window& topLevel, Surface& into, const Rect& area);

}  // namespace platform
