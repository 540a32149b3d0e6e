#include "button/vb_button.h"

namespace button {

// ButtonType 14, the calculator's keys: a face shading down from Highlight (flat Light while
// lit) with a bright band under the top and along the left edge; pressed, the bright edges
// move to the bottom and right.
void vbButton::DrawGlossy(Situation situation) {
    const int32_t w = width;
    const int32_t h = height;
    // The face loses 58 per channel over the height, computed once in single precision.
    const float k = 58.0f / static_cast<float>(h);
    switch (situation) {
        case Situation::Up:
            if (hover) {
                PaintRect(0, 0, w, h, palette.Light, false);
            } else {
                PaintGradient(palette.Highlight, k, false, true);
            }
            DrawGlossyCaption(hover ? 1 : 0);
            PaintRect(0, 0, w, h, Off(palette.Shadow, -50), true);
            PaintRect(1, 1, w - 2, h - 2, Off(palette.Face, -9), true);
            PaintRect(2, 2, w - 4, 2, palette.Highlight, false);
            PaintRect(2, 4, 2, h - 6, palette.Highlight, false);
            PaintFocusRect();
            break;
        case Situation::Down:
            PaintRect(1, 1, w, h, Off(palette.Face, -9), false);
            PaintRect(0, 0, w, h, Off(palette.Shadow, -48), true);
            PaintLine(2, h - 2, w - 2, h - 2, palette.Highlight);
            PaintLine(w - 2, 2, w - 2, h - 1, palette.Highlight);
            DrawCaption(7);
            PaintFocusRect();
            break;
        case Situation::Disabled:
            PaintGradient(palette.Highlight, k, false, true);
            PaintRect(0, 0, w, h, Off(palette.Shadow, -50), true);
            PaintRect(1, 1, w - 2, h - 2, Off(palette.Face, -9), true);
            PaintRect(2, 2, w - 4, 2, palette.Highlight, false);
            PaintRect(2, 4, 2, h - 6, palette.Highlight, false);
            DrawCaption(6);
            break;
    }
}

}  // namespace button
