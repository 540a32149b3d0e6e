#pragma once

#include <cstdint>
#include <vector>

#include "platform/display/x11/x11_display.h"
#include "platform/gfx/geometry.h"
#include "platform/ui/backend.h"

namespace platform {

/// Sends the device pixels `area` of a window to the same place of drawable `to`, in the pixel
/// format of the display's true-colour visual at its depth. Where the server stores such pixels
/// in 32 bits, one PutImage request carries the whole area when the server takes a request
/// that large (BIG-REQUESTS lifts the 256 KB limit to what the server allows, 16 MB and more);
/// its pixels are composed (`pixels`), converted and written out a band of rows at a time
/// inside that one request, so that neither a picture of the whole area is made nor `band`,
/// the conversion buffer, grows past 16 KB whatever the area's size. Only an area larger than any
/// request the server takes goes as several, each as large as the server allows.
void PutPixels(const X11Display& display, Drawable to, GC gc, const FrameSource& pixels,
               const Rect& area, std::vector<uint32_t>& band);

}  // namespace platform
