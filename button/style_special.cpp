#include "button/vb_button.h"
#include "platform/gfx/copy_rect.h"

namespace button {

// ButtonType 11: the parent's picture under the button is the face. Before the first
// capture there is no picture, and the Face fill stays.
void vbButton::DrawTransparent(Situation situation) {
    if (backgroundSurface) {
        platform::CopyRect(Surface(), {0, 0}, *backgroundSurface, Rect{0, 0, width, height});
    }
    switch (situation) {
        case Situation::Up:
            DrawCaption(hover ? 1 : 0);
            PaintFocusRect();
            break;
        case Situation::Down:
            DrawCaption(2);
            PaintFocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(3);
            break;
    }
}

// ButtonType 13: an elliptical face inside the elliptical window. The outline shows only
// while lit; the disabled face is the plain Face fill. No look of this type shows the focus.
void vbButton::DrawOval(Situation situation) {
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            PaintEllipse(0, 0, width, height, hover ? p.Shadow : p.Face, p.Face);
            DrawCaption(hover ? 1 : 0);
            break;
        case Situation::Down:
            PaintEllipse(0, 0, width, height, p.DarkShadow, Off(p.Face, -32));
            DrawCaption(2);
            break;
        case Situation::Disabled:
            DrawCaption(3);
            break;
    }
}

}  // namespace button
