#include "button/painter.h"

namespace button {
// ButtonType 8: flat until the pointer lights it, then one thin bevel on the client edge.
void Painter::DrawHoverFlat() {
    switch (in.situation) {
        case Situation::Up:
            if (in.lit) {
                DrawCaption(CaptionLook::Lit);
                Bevel(p.Highlight, p.Shadow, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            } else {
                DrawCaption(CaptionLook::Normal);
            }
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p.Shadow, p.Highlight, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            break;
    }
}

// ButtonType 9: flat until lit, then a box in the accent colours. A press fills the whole
// face only while the button is lit; the accent frame shows in every press.
void Painter::DrawAccentHover() {
    switch (in.situation) {
        case Situation::Up:
            if (in.lit) {
                Fill(1, 1, in.width, in.height, p.AccentLight);
                DrawCaption(CaptionLook::Lit);
                Frame(0, 0, in.width, in.height, p.Accent);
            } else {
                DrawCaption(CaptionLook::Normal);
            }
            FocusRect();
            break;
        case Situation::Down: {
            if (in.lit) {
                const Color darkerLight = Off(p.AccentLight, -32);
                const Color lighterAccent = LightenColor(p.Accent, 128);
                Fill(0, 0, in.width, in.height, in.ownColours ? darkerLight : lighterAccent);
            }
            DrawCaption(CaptionLook::Pressed);
            Frame(0, 0, in.width, in.height, p.Accent);
            FocusRect();
            break;
        }
        case Situation::Disabled:
            DrawCaption(CaptionLook::Dimmed);
            break;
    }
}

// ButtonType 12: flat until lit, then the desktop's double 3-D bevel.
void Painter::DrawHoverClassic() {
    switch (in.situation) {
        case Situation::Up:
            if (in.lit) {
                DrawCaption(CaptionLook::Lit);
                Bevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, BevelPlace::OnEdge,
                      BevelFrames::Double);
            } else {
                DrawCaption(CaptionLook::Normal);
            }
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p.DarkShadow, p.Highlight, p.Shadow, p.Light, BevelPlace::OnEdge,
                  BevelFrames::Double);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            break;
    }
}

}  // namespace button
