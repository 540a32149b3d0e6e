#pragma once

#include <cstdint>

namespace forms {

/// The control's place in its container, in the container's units: twips, 15 per pixel.
class ControlPlacement {
  public:
    virtual ~ControlPlacement() = default;

    virtual int32_t Left() const = 0;
    virtual int32_t Top() const = 0;
    virtual int32_t Height() const = 0;
    /// Resizes the window to the height (rounded to whole pixels); the control's resize call
    /// follows when the size changed.
    virtual void SetHeight(int32_t height) = 0;
    /// The container's units of a length in pixels.
    virtual int32_t PixelsToContainer(int32_t pixels) const = 0;
};

}  // namespace forms
