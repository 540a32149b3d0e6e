#pragma once

#include <optional>

#include "platform/gfx/geometry.h"

// Xlib's headers come after ours.
#include <X11/Xlib.h>

namespace platform {

/// Where windows may go on the X screen of `root`, in physical pixels: the RandR monitor that
/// holds `near`, or without it the one that holds the pointer, else the primary monitor (the
/// whole screen when RandR names none), less the desktop's panels as far as the window
/// manager's _NET_WORKAREA for the current desktop says. A monitor that the work area misses
/// entirely is taken whole.
Rect MonitorWorkArea(Display* display, ::Window root, std::optional<Point> near);

}  // namespace platform
