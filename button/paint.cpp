#include "button/vb_button.h"

namespace button {

void vbButton::PaintRect(int32_t, int32_t, int32_t, int32_t, Color, bool) {}
void vbButton::PaintEllipse(int32_t, int32_t, int32_t, int32_t, Color, Color) {}
void vbButton::PaintLine(int32_t, int32_t, int32_t, int32_t, Color) {}
void vbButton::PaintBevel(Color, Color, Color, Color, int16_t, bool) {}
void vbButton::PaintPixel(int32_t, int32_t, Color) {}
void vbButton::PaintFocusRect() {}
void vbButton::PaintCorners(Color) {}
void vbButton::PaintGradient(Color, float, bool, bool) {}
Color vbButton::Off(Color colour, int32_t amount) const {
    return OffsetColor(colour, amount, false, softBevel);
}
Color vbButton::OffP(Color colour, int32_t amount) const {
    return OffsetColor(colour, amount, true, softBevel);
}

}  // namespace button
