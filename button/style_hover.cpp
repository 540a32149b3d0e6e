#include "button/bevel_place.h"
#include "button/vb_button.h"

namespace button {
// ButtonType 8: flat until the pointer lights it, then one thin bevel on the client edge.
void vbButton::DrawHoverFlat(Situation situation) {
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            if (hover) {
                DrawCaption(1);
                PaintBevel(p.Highlight, p.Shadow, 0, 0, kOnEdge, kSingle);
            } else {
                DrawCaption(0);
            }
            PaintFocusRect();
            break;
        case Situation::Down:
            DrawCaption(2);
            PaintBevel(p.Shadow, p.Highlight, 0, 0, kOnEdge, kSingle);
            PaintFocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(3);
            break;
    }
}

// ButtonType 9: flat until lit, then a box in the accent colours. A press fills the whole
// face only while the button is lit; the accent frame shows in every press.
void vbButton::DrawAccentHover(Situation situation) {
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            if (hover) {
                PaintRect(1, 1, width, height, p.AccentLight, false);
                DrawCaption(1);
                PaintRect(0, 0, width, height, p.Accent, true);
            } else {
                DrawCaption(0);
            }
            PaintFocusRect();
            break;
        case Situation::Down: {
            if (hover) {
                const Color darkerLight = Off(p.AccentLight, -32);
                const Color lighterAccent = LightenColor(p.Accent, 128);
                PaintRect(0, 0, width, height, colorScheme == 2 ? darkerLight : lighterAccent,
                          false);
            }
            DrawCaption(2);
            PaintRect(0, 0, width, height, p.Accent, true);
            PaintFocusRect();
            break;
        }
        case Situation::Disabled:
            DrawCaption(4);
            break;
    }
}

// ButtonType 12: flat until lit, then the desktop's double 3-D bevel.
void vbButton::DrawHoverClassic(Situation situation) {
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            if (hover) {
                DrawCaption(1);
                PaintBevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, kOnEdge, kDouble);
            } else {
                DrawCaption(0);
            }
            PaintFocusRect();
            break;
        case Situation::Down:
            DrawCaption(2);
            PaintBevel(p.DarkShadow, p.Highlight, p.Shadow, p.Light, kOnEdge, kDouble);
            PaintFocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(3);
            break;
    }
}

}  // namespace button
