#include "button/vb_button.h"

namespace button {

void vbButton::DrawLook(Situation) {}
void vbButton::DrawBordered(Situation) {}
void vbButton::DrawClassic(Situation) {}
void vbButton::DrawGradient(Situation) {}
void vbButton::DrawRounded(Situation) {}
void vbButton::DrawOutline(Situation) {}
void vbButton::DrawLightBevel(Situation) {}
void vbButton::DrawFlat(Situation) {}
void vbButton::DrawHoverFlat(Situation) {}
void vbButton::DrawAccentHover(Situation) {}
void vbButton::DrawTransparent(Situation) {}
void vbButton::DrawHoverClassic(Situation) {}
void vbButton::DrawOval(Situation) {}
void vbButton::DrawGlossy(Situation) {}
void vbButton::PaintCaptionFocusFrame() {}
void vbButton::DrawGlossyCaption(int32_t) {}

}  // namespace button
