#include "button/painter.h"

namespace button {

// ButtonType 14, the calculator's keys: a face shading down from Highlight (flat Light while
// lit) with a bright band under the top and along the left edge; pressed, the bright edges
// move to the bottom and right.
void Painter::DrawGlossy() {
    const int32_t w = in_.width;
    const int32_t h = in_.height;
    // The face loses 58 per channel over the height, computed once in single precision.
    const float k = 58.0f / static_cast<float>(h);
    switch (in_.situation) {
        case Situation::Up:
            if (in_.lit) {
                Fill(0, 0, w, h, p_.Light);
            } else {
                Gradient(p_.Highlight, k, Shift::Even, Direction::Downward);
            }
            DrawDefaultableCaption(UpLook());
            Frame(0, 0, w, h, Off(p_.Shadow, -50));
            Frame(1, 1, w - 2, h - 2, Off(p_.Face, -9));
            Fill(2, 2, w - 4, 2, p_.Highlight);
            Fill(2, 4, 2, h - 6, p_.Highlight);
            FocusRect();
            break;
        case Situation::Down:
            Fill(1, 1, w, h, Off(p_.Face, -9));
            Frame(0, 0, w, h, Off(p_.Shadow, -48));
            Line(2, h - 2, w - 2, h - 2, p_.Highlight);
            Line(w - 2, 2, w - 2, h - 1, p_.Highlight);
            DrawCaption(CaptionLook::Inset);
            FocusRect();
            break;
        case Situation::Disabled:
            Gradient(p_.Highlight, k, Shift::Even, Direction::Downward);
            Frame(0, 0, w, h, Off(p_.Shadow, -50));
            Frame(1, 1, w - 2, h - 2, Off(p_.Face, -9));
            Fill(2, 2, w - 4, 2, p_.Highlight);
            Fill(2, 4, 2, h - 6, p_.Highlight);
            DrawCaption(CaptionLook::Embossed);
            break;
    }
}

}  // namespace button
