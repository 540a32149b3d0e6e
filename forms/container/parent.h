#pragma once

#include <optional>

#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace forms {

/// The colours a window currently draws with, plain.
struct ParentColours {
    platform::Color background = 0;
    platform::Color text = 0;
};

/// What the control may see of its parent window.
class ControlParent {
  public:
    virtual ~ControlParent() = default;

    /// The parent's current drawing colours; nullopt without a parent.
    virtual std::optional<ParentColours> ParentDrawingColours() const = 0;
    /// Copies the parent's drawing surface at `area` (its client pixels) to the origin of
    /// `into`; without a parent nothing changes.
    virtual void CopyParentArea(const platform::Rect& area, platform::Surface& into) const = 0;
};

}  // namespace forms
