#include "button/painter.h"

namespace button {
// ButtonType 1: a double bevel one pixel in, inside a dark frame.
void Painter::DrawBordered() {
    switch (in_.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            Bevel(p_.Highlight, p_.Shadow, p_.Highlight, p_.Shadow, BevelPlace::OneIn,
                  BevelFrames::Double);
            Frame(0, 0, in_.width, in_.height, p_.DarkShadow);
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p_.Shadow, p_.Highlight, p_.Shadow, p_.Highlight, BevelPlace::OneIn,
                  BevelFrames::Double);
            Frame(0, 0, in_.width, in_.height, p_.DarkShadow);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            Bevel(p_.Highlight, p_.Shadow, p_.Highlight, p_.Shadow, BevelPlace::OneIn,
                  BevelFrames::Double);
            Frame(0, 0, in_.width, in_.height, p_.DarkShadow);
            break;
    }
}

// ButtonType 2: the desktop's push button. The host's default button, when focus rectangles
// are shown, gets a dark frame around a bevel one pixel in, and only it shows the focus.
void Painter::DrawClassic() {
    switch (in_.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            if (in_.showFocusRect && in_.isDefault) {
                Bevel(p_.Highlight, p_.DarkShadow, p_.Light, p_.Shadow, BevelPlace::OneIn,
                      BevelFrames::Double);
                FocusRect();
                Frame(0, 0, in_.width, in_.height, p_.DarkShadow);
            } else {
                Bevel(p_.Highlight, p_.DarkShadow, p_.Light, p_.Shadow, BevelPlace::OnEdge,
                      BevelFrames::Double);
            }
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            if (in_.showFocusRect && in_.isDefault) {
                Frame(0, 0, in_.width, in_.height, p_.DarkShadow);
                Frame(1, 1, in_.width - 2, in_.height - 2, p_.Shadow);
                FocusRect();
            } else {
                Bevel(p_.DarkShadow, p_.Highlight, p_.Shadow, p_.Light, BevelPlace::OnEdge,
                      BevelFrames::Double);
            }
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            Bevel(p_.Highlight, p_.DarkShadow, p_.Light, p_.Shadow, BevelPlace::OnEdge,
                  BevelFrames::Double);
            break;
    }
}

// ButtonType 6: a double bevel in a lightened Light and Shadow.
void Painter::DrawLightBevel() {
    const Color light = Off(p_.Light, 8);
    switch (in_.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            Bevel(light, p_.Shadow, light, p_.Shadow, BevelPlace::OnEdge, BevelFrames::Double);
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p_.Shadow, light, p_.Shadow, light, BevelPlace::OnEdge, BevelFrames::Double);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Dimmed);
            Bevel(light, p_.Shadow, light, p_.Shadow, BevelPlace::OnEdge, BevelFrames::Double);
            break;
    }
}

// ButtonType 7: one thin bevel on the client edge.
void Painter::DrawFlat() {
    switch (in_.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            Bevel(p_.Highlight, p_.Shadow, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p_.Shadow, p_.Highlight, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            Bevel(p_.Highlight, p_.Shadow, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            break;
    }
}

}  // namespace button
