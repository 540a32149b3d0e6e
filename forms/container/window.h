#pragma once

#include <optional>
#include <string>

#include "platform/gfx/region.h"
#include "platform/objects/font_desc.h"
#include "platform/ui/window.h"

namespace forms {

/// The control's own window: its handle, shape, enabled state, font and access keys.
class ControlWindow {
  public:
    virtual ~ControlWindow() = default;

    virtual platform::WindowHandle Hwnd() const = 0;
    /// The window's shape in its client coordinates, which clips what it shows and where it
    /// takes the pointer; nullopt for the whole rectangle. `traced` draws its curves on the
    /// device pixels (platform::Window::SetShape).
    virtual void SetShape(std::optional<platform::Region> shape,
                          platform::ShapeTracer traced = nullptr) = 0;
    /// A disabled window receives no input.
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    /// The font the window owns.
    virtual const platform::FontDesc& Font() const = 0;
    virtual void SetFont(const platform::FontDesc& font) = 0;
    /// The characters that activate the control through its access-key call.
    virtual void SetAccessKeys(std::string keys) = 0;
};

}  // namespace forms
