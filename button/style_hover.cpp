#include "button/painter.h"

namespace button {
// ButtonType 8: flat until the pointer lights it, then one thin bevel on the client edge.
void Painter::DrawHoverFlat() {
    switch (in_.situation) {
        case Situation::Up:
            if (in_.lit) {
                DrawCaption(CaptionLook::Lit);
                Bevel(p_.Highlight, p_.Shadow, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            } else {
                DrawCaption(CaptionLook::Normal);
            }
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p_.Shadow, p_.Highlight, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
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
    switch (in_.situation) {
        case Situation::Up:
            if (in_.lit) {
                Fill(1, 1, in_.width, in_.height, p_.AccentLight);
                DrawCaption(CaptionLook::Lit);
                Frame(0, 0, in_.width, in_.height, p_.Accent);
            } else {
                DrawCaption(CaptionLook::Normal);
            }
            FocusRect();
            break;
        case Situation::Down: {
            if (in_.lit) {
                const Color darkerLight = Off(p_.AccentLight, -32);
                const Color lighterAccent = LightenColor(p_.Accent, 128);
                Fill(0, 0, in_.width, in_.height, in_.ownColours ? darkerLight : lighterAccent);
            }
            DrawCaption(CaptionLook::Pressed);
            Frame(0, 0, in_.width, in_.height, p_.Accent);
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
    switch (in_.situation) {
        case Situation::Up:
            if (in_.lit) {
                DrawCaption(CaptionLook::Lit);
                Bevel(p_.Highlight, p_.DarkShadow, p_.Light, p_.Shadow, BevelPlace::OnEdge,
                      BevelFrames::Double);
            } else {
                DrawCaption(CaptionLook::Normal);
            }
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p_.DarkShadow, p_.Highlight, p_.Shadow, p_.Light, BevelPlace::OnEdge,
                  BevelFrames::Double);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            break;
    }
}

}  // namespace button
