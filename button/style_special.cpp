#include "button/painter.h"
#include "platform/gfx/copy_rect.h"

namespace button {

// ButtonType 11: the parent's picture under the button is the face. Before the first
// capture there is no picture, and the Face fill stays.
void Painter::DrawTransparent() {
    if (in.background) {
        platform::CopyRect(surface, {0, 0}, *in.background,
                           platform::Rect{0, 0, in.width, in.height});
    }
    switch (in.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            break;
    }
}

// ButtonType 13: an elliptical face inside the elliptical window. The outline shows only
// while lit; the disabled face is the plain Face fill. No look of this type shows the focus.
void Painter::DrawOval() {
    switch (in.situation) {
        case Situation::Up:
            Ellipse(0, 0, in.width, in.height, in.lit ? p.Shadow : p.Face, p.Face);
            DrawCaption(UpLook());
            break;
        case Situation::Down:
            Ellipse(0, 0, in.width, in.height, p.DarkShadow, Off(p.Face, -32));
            DrawCaption(CaptionLook::Pressed);
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            break;
    }
}

}  // namespace button
