#include "button/vb_button.h"

namespace button {

void vbButton::CaptureParentBackground() {}

}  // namespace button
