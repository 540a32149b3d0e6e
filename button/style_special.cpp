#include "button/painter.h"
#include "platform/gfx/copy_rect.h"
#include "platform/objects/system_colors.h"

namespace button {

// ButtonType 11: the parent's picture under the button is the face. Before the first
// capture there is no picture, and the Face fill stays.
void Painter::DrawTransparent() {
    if (in_.background) {
        platform::CopyRect(surface_, {0, 0}, *in_.background,
                           platform::Rect{0, 0, in_.width, in_.height});
    }
    switch (in_.situation) {
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
    switch (in_.situation) {
        case Situation::Up:
            Ellipse(0, 0, in_.width, in_.height, in_.lit ? p_.Shadow : p_.Face, p_.Face);
            DrawCaption(UpLook());
            break;
        case Situation::Down:
            Ellipse(0, 0, in_.width, in_.height, p_.DarkShadow, Off(p_.Face, -32));
            DrawCaption(CaptionLook::Pressed);
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            break;
    }
}

// The outline follows the window's shape: for the oval window an ellipse whose two-pixel pen,
// which thickens up and left, lies wholly inside the client area, else two frames along the
// client edge, whose corners the shape of a cut-corner window takes off.
void Painter::DrawForcedColors() {
    const bool highlighted = in_.situation == Situation::Down || in_.lit;
    const Color face = highlighted ? p_.FaceOver : p_.Face;
    const Color edge = in_.situation == Situation::Disabled
                           ? platform::SystemColor(platform::SystemColorIndex::GrayText)
                           : p_.DarkShadow;
    if (in_.look->shape == WindowShape::Ellipse) {
        Ellipse(1, 1, in_.width - 1, in_.height - 1, edge, face);
    } else {
        Fill(0, 0, in_.width, in_.height, face);
        Frame(0, 0, in_.width, in_.height, edge);
        Frame(1, 1, in_.width - 2, in_.height - 2, edge);
    }
    switch (in_.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            break;
        case Situation::Disabled:
            DrawCaptionText(in_.caption.rect, edge, *in_.caption.font);
            break;
    }
    FocusRect();
}

}  // namespace button
