#include "button/vb_button.h"

namespace button {

void vbButton::OnMouseDown(int32_t, int32_t, int32_t, int32_t) {}
void vbButton::OnMouseMove(int32_t, int32_t, int32_t, int32_t) {}
void vbButton::OnMouseUp(int32_t, int32_t, int32_t, int32_t) {}
void vbButton::OnClick() {}
void vbButton::OnDoubleClick() {}
void vbButton::OnKeyDown(int32_t&, int32_t) {}
void vbButton::OnKeyPress(int32_t&) {}
void vbButton::OnKeyUp(int32_t&, int32_t) {}
void vbButton::OnAccessKey() {}
void vbButton::OnGotFocus() {}
void vbButton::OnLostFocus() {}
void vbButton::OnTimer() {}
void vbButton::OnHide() {
    ready = false;
}
bool vbButton::PointerIsOver() const {
    return false;
}
bool vbButton::RaiseMouseEvent(int32_t, const char*, int32_t&, int32_t, int32_t, int32_t) {
    return true;
}
bool vbButton::RaiseKeyEvent(int32_t, const char*, int32_t&, int32_t) {
    return true;
}
void vbButton::SetHoverTimer(bool) {}

}  // namespace button
