#include "forms/shape.h"

#include "platform/gfx/rect_paint.h"
#include "platform/objects/ole_color.h"

namespace forms {

Shape::Shape(Form& form, platform::Rect bounds) : LightControl(form, bounds) {}

void Shape::SetBorderColor(platform::OleColor ole) {
    borderColor_ = ole;
    Repaint();
}

void Shape::SetFill(platform::OleColor ole) {
    filled_ = true;
    fillColor_ = ole;
    Repaint();
}

void Shape::SetTransparentFill() {
    filled_ = false;
    Repaint();
}

void Shape::Paint(platform::Surface& surface, platform::Point origin) const {
    const platform::Rect bounds = Bounds().Offset(origin.x, origin.y);
    if (filled_) platform::FillRect(surface, bounds, platform::DrawnColor(fillColor_, platform::SystemColorIndex::Window));
    platform::FrameRect(surface, bounds, platform::DrawnColor(borderColor_, platform::SystemColorIndex::WindowText));
}

}  // namespace forms
