#include "button/vb_button.h"

namespace button {

void vbButton::UpdateAccessKey() {}
void vbButton::LayoutCaption() {
    PlacePicture();
}
void vbButton::DrawCaption(int32_t look) {
    lastCaptionLook = look;
}
void vbButton::DrawCaptionEffect(const Rect&) {}
void vbButton::DrawCaptionText(const Rect&, Color) {}

}  // namespace button
