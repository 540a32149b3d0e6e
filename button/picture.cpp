#include "button/vb_button.h"

namespace button {

void vbButton::MeasurePicture() {}
void vbButton::PlacePicture() {}
void vbButton::DrawPicture(int32_t) {}
void vbButton::DrawPictureEffect(int32_t, const PicturePtr&) {}
void vbButton::RenderPicture(int32_t, int32_t, int32_t, int32_t, const PicturePtr&, Color, int64_t,
                             bool, bool, bool) {}

}  // namespace button
