#pragma once

#include <memory>
#include <string_view>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"
#include "platform/ui/accessible.h"
#include "platform/ui/window.h"

namespace forms {

class Form;

/// A control without a window of its own (a label, a shape): the form draws it with itself, in
/// the order the controls were created (later ones on top), and routes the mouse to it.
/// Constructing one adds it to the form; destroying it removes it and repaints its place. A light
/// control is destroyed before its form (a member of the form's class, or an object made after the
/// form).
class LightControl {
  public:
    LightControl(Form& form, platform::Rect bounds);
    virtual ~LightControl();
    LightControl(const LightControl&) = delete;
    LightControl& operator=(const LightControl&) = delete;

    Form& Owner() const { return form_; }
    /// Position and size in the form's client pixels.
    platform::Rect Bounds() const { return bounds_; }
    void SetBounds(platform::Rect bounds);
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible);

    /// Draws the control into `surface`, where the form's client point p lies at logical point
    /// p + `origin`.
    virtual void Paint(platform::Surface& surface, platform::Point origin) const = 0;
    /// Whether the control receives mouse clicks; one that does not lets them through to the
    /// form beneath.
    virtual bool TakesMouse() const { return false; }
    /// A left press and release over the control.
    virtual void OnClick() {}
    /// What the control is to a screen reader; the default says nothing, and it is left out.
    virtual platform::AccessibleDescription Describe() const { return {}; }
    /// A reader asks for one of the actions Describe listed; it runs from the message loop.
    virtual void OnAccessibleAction(std::string_view /*action*/) {}

    /// The pointer shown over a control that takes the mouse; Default shows the form's.
    platform::PointerKind Pointer() const { return pointerKind_; }
    const std::shared_ptr<const platform::PointerImage>& PointerPicture() const {
        return pointerImage_;
    }
    void SetPointer(platform::PointerKind kind,
                    std::shared_ptr<const platform::PointerImage> image = nullptr);

  protected:
    /// Asks the form to paint the control's rectangle again.
    void Repaint();

  private:
    Form& form_;
    platform::Rect bounds_;
    bool visible_ = true;
    platform::PointerKind pointerKind_ = platform::PointerKind::Default;
    std::shared_ptr<const platform::PointerImage> pointerImage_;
};

}  // namespace forms
