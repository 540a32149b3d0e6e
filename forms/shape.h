#pragma once

#include "forms/light_control.h"
#include "platform/objects/ole_color.h"

namespace forms {

/// A rectangle painted on the form: a 1-pixel outline along the edge of its bounds, and with
/// an opaque fill the inside first filled in the fill colour. A shape takes no mouse input.
class Shape : public LightControl {
  public:
    /// A black outline with a transparent inside.
    Shape(Form& form, platform::Rect bounds);

    platform::OleColor BorderColor() const { return borderColor_; }
    void SetBorderColor(platform::OleColor ole);
    platform::OleColor FillColor() const { return fillColor_; }
    /// An opaque fill in the OLE colour.
    void SetFill(platform::OleColor ole);
    void SetTransparentFill();

    /// Pixels: with a fill, FillRect of the bounds in the fill colour; then FrameRect of the
    /// bounds in the border colour. Nothing else changes.
    void Paint(platform::Surface& surface, platform::Point origin) const override;

  private:
    platform::OleColor borderColor_ =
        platform::SystemColorRef(platform::SystemColorIndex::WindowText);
    bool filled_ = false;
    platform::OleColor fillColor_ = 0;
};

}  // namespace forms
