#include "forms/light_control.h"

#include <algorithm>

#include "forms/form.h"

namespace forms {

LightControl::LightControl(Form& form, platform::Rect bounds) : form_(form), bounds_(bounds) {
    form_.lightControls_.push_back(this);
    Repaint();
}

LightControl::~LightControl() {
    std::erase(form_.lightControls_, this);
    if (form_.pressed_ == this) form_.pressed_ = nullptr;
    Repaint();
}

void LightControl::SetBounds(platform::Rect bounds) {
    if (bounds == bounds_) return;
    Repaint();
    bounds_ = bounds;
    Repaint();
}

void LightControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Repaint();
}

void LightControl::SetPointer(platform::PointerKind kind,
                              std::shared_ptr<const platform::PointerImage> image) {
    pointerKind_ = kind;
    pointerImage_ = std::move(image);
}

void LightControl::Repaint() {
    form_.RepaintArea(bounds_);
}

}  // namespace forms
