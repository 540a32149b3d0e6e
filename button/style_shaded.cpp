#include "button/vb_button.h"

namespace button {
namespace {

// The Gradient look's fixed colours.
constexpr Color kGradientFrame = 0x733C00;
constexpr Color kGradientCorner = 0x7B4D10;

// The colours of a coloured rim of the Gradient look: the frame one pixel in, the bottom line,
// the top line, the second row and the two inner side columns.
struct Rim {
    Color frame;
    Color bottom;
    Color top;
    Color second;
    Color sides;
};

constexpr Rim kHoverRim{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
constexpr Rim kFocusRim{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};

}  // namespace

// ButtonType 3: a face shaded downward from FaceShade (upward from a darker shade while
// pressed) in a blue frame with rounded corners. Lit it shows an orange rim; focused, or
// the host's default button, a blue one while focus rectangles are shown; otherwise a rim
// shaded from the face. Every shift here scales the blue channel in proportion.
void vbButton::DrawGradient(Situation situation) {
    const int32_t w = width;
    const int32_t h = height;
    const Color shade = palette.FaceShade;
    const float k = 25.0f / static_cast<float>(h);
    const auto rim = [&](const Rim& r) {
        PaintRect(1, 2, w - 2, h - 4, r.frame, true);
        PaintLine(2, h - 2, w - 2, h - 2, r.bottom);
        PaintLine(2, 1, w - 2, 1, r.top);
        PaintLine(1, 2, w - 1, 2, r.second);
        PaintLine(2, 3, 2, h - 3, r.sides);
        PaintLine(w - 3, 3, w - 3, h - 3, r.sides);
    };
    switch (situation) {
        case Situation::Up:
            PaintGradient(shade, k, true, true);
            DrawCaption(hover ? 1 : 0);
            PaintRect(0, 0, w, h, kGradientFrame, true);
            PaintCorners(kGradientCorner);
            if (hover) {
                rim(kHoverRim);
            } else if ((focus || DisplayAsDefault()) && showFocusRect) {
                rim(kFocusRim);
            } else {
                PaintLine(2, h - 2, w - 2, h - 2, OffP(shade, -48));
                PaintLine(1, h - 3, w - 2, h - 3, OffP(shade, -32));
                PaintLine(w - 2, 2, w - 2, h - 2, OffP(shade, -36));
                PaintLine(w - 3, 3, w - 3, h - 3, OffP(shade, -24));
                PaintLine(2, 1, w - 2, 1, OffP(shade, 16));
                PaintLine(1, 2, w - 2, 2, OffP(shade, 10));
                PaintLine(1, 2, 1, h - 2, OffP(shade, -5));
                PaintLine(2, 3, 2, h - 3, OffP(shade, -10));
            }
            break;
        case Situation::Down: {
            const Color base = OffP(shade, -32);
            PaintGradient(base, k, true, false);
            DrawCaption(2);
            PaintRect(0, 0, w, h, kGradientFrame, true);
            PaintCorners(kGradientCorner);
            PaintLine(2, h - 2, w - 2, h - 2, OffP(base, 16));
            PaintLine(1, h - 3, w - 2, h - 3, OffP(base, 10));
            PaintLine(w - 2, 2, w - 2, h - 2, OffP(base, 5));
            PaintLine(w - 3, 3, w - 3, h - 3, shade);
            PaintLine(2, 1, w - 2, 1, OffP(base, -32));
            PaintLine(1, 2, w - 2, 2, OffP(base, -24));
            PaintLine(1, 2, 1, h - 2, OffP(base, -32));
            PaintLine(2, 2, 2, h - 2, OffP(base, -22));
            break;
        }
        case Situation::Disabled:
            PaintRect(0, 0, w, h, OffP(shade, -24), false);
            DrawCaption(5);
            PaintRect(0, 0, w, h, OffP(shade, -84), true);
            PaintCorners(OffP(shade, -72));
            break;
    }
}

// ButtonType 4: a Light face in a dark frame with rounded corners, a bright inner edge at the
// top and left and Face and Shadow edges at the bottom and right. Pressed, it sinks into
// darker frames. It never shows the focus.
void vbButton::DrawRounded(Situation situation) {
    const int32_t w = width;
    const int32_t h = height;
    const Palette& p = palette;
    if (situation == Situation::Down) {
        const Color pressed = Off(p.Shadow, -16);
        const Color darker = Off(p.Shadow, -32);
        const Color darkest = Off(p.Shadow, -64);
        PaintRect(1, 1, w - 2, h - 2, pressed, false);
        // The caption's effect copies are drawn against the pressed face.
        palette.FaceShade = pressed;
        DrawCaption(2);
        palette.FaceShade = Off(p.Face, 48);
        PaintRect(0, 0, w, h, p.DarkShadow, true);
        PaintRect(1, 1, w - 2, h - 2, darkest, true);
        PaintRect(2, 2, w - 4, h - 4, darker, true);
        PaintPixel(2, 2, darkest);
        PaintPixel(3, 3, darker);
        PaintCorners(p.DarkShadow);
        PaintLine(w - 3, 1, w - 3, h - 3, p.Shadow);
        PaintLine(1, h - 3, w - 2, h - 3, p.Shadow);
        PaintPixel(w - 4, h - 4, p.Shadow);
        PaintLine(w - 2, 3, w - 2, h - 2, pressed);
        PaintLine(3, h - 2, w - 2, h - 2, pressed);
        PaintLine(w - 2, h - 3, w - 4, h - 1, darker);
        PaintPixel(2, h - 2, darker);
        PaintPixel(w - 2, 2, darker);
        return;
    }
    PaintRect(1, 1, w - 2, h - 2, p.Light, false);
    DrawCaption(situation == Situation::Disabled ? 3 : (hover ? 1 : 0));
    PaintRect(0, 0, w, h, p.DarkShadow, true);
    PaintCorners(p.DarkShadow);
    PaintLine(1, 2, 2, 0, p.Face);
    PaintLine(3, 2, w - 3, 2, p.Highlight);
    PaintLine(2, 2, 2, h - 3, p.Highlight);
    PaintPixel(3, 3, p.Highlight);
    PaintLine(w - 3, 1, w - 3, h - 3, p.Face);
    PaintLine(1, h - 3, w - 3, h - 3, p.Face);
    PaintPixel(w - 4, h - 4, p.Face);
    PaintLine(w - 2, 2, w - 2, h - 2, p.Shadow);
    PaintLine(2, h - 2, w - 2, h - 2, p.Shadow);
    PaintPixel(w - 3, h - 3, p.Shadow);
}

// ButtonType 5: a flat face in a thin frame; the focus is a frame around the caption.
void vbButton::DrawOutline(Situation situation) {
    const int32_t w = width;
    const int32_t h = height;
    const Palette& p = palette;
    switch (situation) {
        case Situation::Up:
            PaintRect(1, 1, w - 1, h - 1, Off(p.Face, 12), false);
            DrawCaption(hover ? 1 : 0);
            PaintRect(1, 1, w - 1, h - 1, p.Highlight, true);
            PaintRect(0, 0, w - 1, h - 1, Off(p.Shadow, -26), true);
            PaintPixel(1, h - 2, Off(p.Shadow, 26));
            PaintPixel(w - 2, 1, Off(p.Shadow, 26));
            PaintCaptionFocusFrame();
            break;
        case Situation::Down:
            PaintRect(1, 1, w - 2, h - 2, Off(p.Shadow, 16), false);
            PaintRect(0, 0, w - 1, h - 1, Off(p.Shadow, -26), true);
            PaintLine(w - 1, 1, w - 1, h, p.Highlight);
            PaintLine(1, h - 1, w - 1, h - 1, p.Highlight);
            // Pressed, the caption stays where it is, in the lit text colour and without
            // effect copies; it is not a DrawCaption look.
            DrawCaptionText(captionRect, p.TextOver, *CaptionFont());
            PaintCaptionFocusFrame();
            break;
        case Situation::Disabled:
            DrawCaption(4);
            PaintRect(0, 0, w, h, p.Shadow, true);
            break;
    }
}

}  // namespace button
