#pragma once

#include <cstdint>

#include "platform/gfx/surface.h"

namespace forms {

/// The persistent image of the control's client area, in pixels, and how it reaches the
/// screen.
class ControlSurface {
  public:
    virtual ~ControlSurface() = default;

    virtual platform::Surface& DrawingSurface() = 0;
    /// Fills the drawing surface with the background colour and marks the window for
    /// repainting.
    virtual void ClearSurface() = 0;
    /// Puts what the drawing surface holds on the screen now.
    virtual void RepaintNow() = 0;
    /// The drawing surface's resolution, at which HIMETRIC lengths (0.01 mm) become pixels.
    virtual int32_t PixelsPerInch() const = 0;
};

}  // namespace forms
