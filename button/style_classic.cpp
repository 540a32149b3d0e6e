#include "button/painter.h"

namespace button {
// ButtonType 1: a double bevel one pixel in, inside a dark frame.
void Painter::DrawBordered() {
    switch (in.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            Bevel(p.Highlight, p.Shadow, p.Highlight, p.Shadow, BevelPlace::OneIn,
                  BevelFrames::Double);
            Frame(0, 0, in.width, in.height, p.DarkShadow);
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p.Shadow, p.Highlight, p.Shadow, p.Highlight, BevelPlace::OneIn,
                  BevelFrames::Double);
            Frame(0, 0, in.width, in.height, p.DarkShadow);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            Bevel(p.Highlight, p.Shadow, p.Highlight, p.Shadow, BevelPlace::OneIn,
                  BevelFrames::Double);
            Frame(0, 0, in.width, in.height, p.DarkShadow);
            break;
    }
}

// ButtonType 2: the desktop's push button. The host's default button, when focus rectangles
// are shown, gets a dark frame around a bevel one pixel in, and only it shows the focus.
void Painter::DrawClassic() {
    switch (in.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            if (in.showFocusRect && in.isDefault) {
                Bevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, BevelPlace::OneIn,
                      BevelFrames::Double);
                FocusRect();
                Frame(0, 0, in.width, in.height, p.DarkShadow);
            } else {
                Bevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, BevelPlace::OnEdge,
                      BevelFrames::Double);
            }
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            if (in.showFocusRect && in.isDefault) {
                Frame(0, 0, in.width, in.height, p.DarkShadow);
                Frame(1, 1, in.width - 2, in.height - 2, p.Shadow);
                FocusRect();
            } else {
                Bevel(p.DarkShadow, p.Highlight, p.Shadow, p.Light, BevelPlace::OnEdge,
                      BevelFrames::Double);
            }
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            Bevel(p.Highlight, p.DarkShadow, p.Light, p.Shadow, BevelPlace::OnEdge,
                  BevelFrames::Double);
            break;
    }
}

// ButtonType 6: a double bevel in a lightened Light and Shadow.
void Painter::DrawLightBevel() {
    const Color light = Off(p.Light, 8);
    switch (in.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            Bevel(light, p.Shadow, light, p.Shadow, BevelPlace::OnEdge, BevelFrames::Double);
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p.Shadow, light, p.Shadow, light, BevelPlace::OnEdge, BevelFrames::Double);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Dimmed);
            Bevel(light, p.Shadow, light, p.Shadow, BevelPlace::OnEdge, BevelFrames::Double);
            break;
    }
}

// ButtonType 7: one thin bevel on the client edge.
void Painter::DrawFlat() {
    switch (in.situation) {
        case Situation::Up:
            DrawCaption(UpLook());
            Bevel(p.Highlight, p.Shadow, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            FocusRect();
            break;
        case Situation::Down:
            DrawCaption(CaptionLook::Pressed);
            Bevel(p.Shadow, p.Highlight, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            FocusRect();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Engraved);
            Bevel(p.Highlight, p.Shadow, 0, 0, BevelPlace::OnEdge, BevelFrames::Single);
            break;
    }
}

}  // namespace button
