#include "button/bevel_place.h"
#include "button/vb_button.h"

namespace button {
// ButtonType 1: a double bevel one pixel in, inside a dark frame.
void vbButton::DrawBordered(Situation situation) {
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            DrawCaption(hover ? 1 : 0);
            PaintBevel(p.Highlight, p.Shadow, p.Highlight, p.Shadow, kOneIn, kDouble);
            PaintRect(0, 0, width, height, p.DarkShadow, true);
            PaintFocusRect();
            break;
        case Situation::Down:
            DrawCaption(2);
            PaintBevel(p.Shadow, p.Highlight, p.Shadow, p.Highlight, kOneIn, kDouble);
            PaintRect(0, 0, width, height, p.DarkShadow, true);
            PaintFocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(3);
            PaintBevel(p.Highlight, p.Shadow, p.Highlight, p.Shadow, kOneIn, kDouble);
            PaintRect(0, 0, width, height, p.DarkShadow, true);
            break;
    }
}

// ButtonType 2: the desktop's push button. The host's default button, when focus rectangles
// are shown, gets a dark frame around a bevel one pixel in, and only it shows the focus.
void vbButton::DrawClassic(Situation situation) {
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            DrawCaption(hover ? 1 : 0);
            if (showFocusRect && DisplayAsDefault()) {
                PaintBevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, kOneIn, kDouble);
                PaintFocusRect();
                PaintRect(0, 0, width, height, p.DarkShadow, true);
            } else {
                PaintBevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, kOnEdge, kDouble);
            }
            break;
        case Situation::Down:
            DrawCaption(2);
            if (showFocusRect && DisplayAsDefault()) {
                PaintRect(0, 0, width, height, p.DarkShadow, true);
                PaintRect(1, 1, width - 2, height - 2, p.Shadow, true);
                PaintFocusRect();
            } else {
                PaintBevel(p.DarkShadow, p.Highlight, p.Shadow, p.Light, kOnEdge, kDouble);
            }
            break;
        case Situation::Disabled:
            DrawCaption(3);
            PaintBevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, kOnEdge, kDouble);
            break;
    }
}

// ButtonType 6: a double bevel in a lightened Light and Shadow.
void vbButton::DrawLightBevel(Situation situation) {
    const Palette& p = palette;
    const Color light = Off(p.Light, 8);
    switch (situation) {
        case Situation::Up:
            DrawCaption(hover ? 1 : 0);
            PaintBevel(light, p.Shadow, light, p.Shadow, kOnEdge, kDouble);
            PaintFocusRect();
            break;
        case Situation::Down:
            DrawCaption(2);
            PaintBevel(p.Shadow, light, p.Shadow, light, kOnEdge, kDouble);
            PaintFocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(4);
            PaintBevel(light, p.Shadow, light, p.Shadow, kOnEdge, kDouble);
            break;
    }
}

// ButtonType 7: one thin bevel on the client edge.
void vbButton::DrawFlat(Situation situation) {
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            DrawCaption(hover ? 1 : 0);
            PaintBevel(p.Highlight, p.Shadow, 0, 0, kOnEdge, kSingle);
            PaintFocusRect();
            break;
        case Situation::Down:
            DrawCaption(2);
            PaintBevel(p.Shadow, p.Highlight, 0, 0, kOnEdge, kSingle);
            PaintFocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(3);
            PaintBevel(p.Highlight, p.Shadow, 0, 0, kOnEdge, kSingle);
            break;
    }
}

}  // namespace button
