#include "button/painter.h"

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
void Painter::DrawGradient() {
    const int32_t w = in_.width;
    const int32_t h = in_.height;
    const Color shade = p_.FaceShade;
    const float k = 25.0f / static_cast<float>(h);
    const auto rim = [&](const Rim& r) {
        Frame(1, 2, w - 2, h - 4, r.frame);
        Line(2, h - 2, w - 2, h - 2, r.bottom);
        Line(2, 1, w - 2, 1, r.top);
        Line(1, 2, w - 1, 2, r.second);
        Line(2, 3, 2, h - 3, r.sides);
        Line(w - 3, 3, w - 3, h - 3, r.sides);
    };
    switch (in_.situation) {
        case Situation::Up:
            Gradient(shade, k, Shift::BlueInProportion, Direction::Downward);
            DrawCaption(UpLook());
            Frame(0, 0, w, h, kGradientFrame);
            Corners(kGradientCorner);
            if (in_.lit) {
                rim(kHoverRim);
            } else if ((in_.focused || in_.isDefault) && in_.showFocusRect) {
                rim(kFocusRim);
            } else {
                Line(2, h - 2, w - 2, h - 2, OffP(shade, -48));
                Line(1, h - 3, w - 2, h - 3, OffP(shade, -32));
                Line(w - 2, 2, w - 2, h - 2, OffP(shade, -36));
                Line(w - 3, 3, w - 3, h - 3, OffP(shade, -24));
                Line(2, 1, w - 2, 1, OffP(shade, 16));
                Line(1, 2, w - 2, 2, OffP(shade, 10));
                Line(1, 2, 1, h - 2, OffP(shade, -5));
                Line(2, 3, 2, h - 3, OffP(shade, -10));
            }
            break;
        case Situation::Down: {
            const Color base = OffP(shade, -32);
            Gradient(base, k, Shift::BlueInProportion, Direction::Upward);
            DrawCaption(CaptionLook::Pressed);
            Frame(0, 0, w, h, kGradientFrame);
            Corners(kGradientCorner);
            Line(2, h - 2, w - 2, h - 2, OffP(base, 16));
            Line(1, h - 3, w - 2, h - 3, OffP(base, 10));
            Line(w - 2, 2, w - 2, h - 2, OffP(base, 5));
            Line(w - 3, 3, w - 3, h - 3, shade);
            Line(2, 1, w - 2, 1, OffP(base, -32));
            Line(1, 2, w - 2, 2, OffP(base, -24));
            Line(1, 2, 1, h - 2, OffP(base, -32));
            Line(2, 2, 2, h - 2, OffP(base, -22));
            break;
        }
        case Situation::Disabled:
            Fill(0, 0, w, h, OffP(shade, -24));
            DrawCaption(CaptionLook::Shaded);
            Frame(0, 0, w, h, OffP(shade, -84));
            Corners(OffP(shade, -72));
            break;
    }
}

// ButtonType 4: a Light face in a dark frame with rounded corners, a bright inner edge at the
// top and left and Face and Shadow edges at the bottom and right. Pressed, it sinks into
// darker frames. It never shows the focus.
void Painter::DrawRounded() {
    const int32_t w = in_.width;
    const int32_t h = in_.height;
    if (in_.situation == Situation::Down) {
        const Color pressed = Off(p_.Shadow, -16);
        const Color darker = Off(p_.Shadow, -32);
        const Color darkest = Off(p_.Shadow, -64);
        Fill(1, 1, w - 2, h - 2, pressed);
        // The caption's effect copies are drawn against the pressed face.
        DrawCaption(CaptionLook::Pressed, pressed);
        Frame(0, 0, w, h, p_.DarkShadow);
        Frame(1, 1, w - 2, h - 2, darkest);
        Frame(2, 2, w - 4, h - 4, darker);
        Pixel(2, 2, darkest);
        Pixel(3, 3, darker);
        Corners(p_.DarkShadow);
        Line(w - 3, 1, w - 3, h - 3, p_.Shadow);
        Line(1, h - 3, w - 2, h - 3, p_.Shadow);
        Pixel(w - 4, h - 4, p_.Shadow);
        Line(w - 2, 3, w - 2, h - 2, pressed);
        Line(3, h - 2, w - 2, h - 2, pressed);
        Line(w - 2, h - 3, w - 4, h - 1, darker);
        Pixel(2, h - 2, darker);
        Pixel(w - 2, 2, darker);
        return;
    }
    Fill(1, 1, w - 2, h - 2, p_.Light);
    DrawCaption(in_.situation == Situation::Disabled ? CaptionLook::Engraved : UpLook());
    Frame(0, 0, w, h, p_.DarkShadow);
    Corners(p_.DarkShadow);
    Line(1, 2, 2, 0, p_.Face);
    Line(3, 2, w - 3, 2, p_.Highlight);
    Line(2, 2, 2, h - 3, p_.Highlight);
    Pixel(3, 3, p_.Highlight);
    Line(w - 3, 1, w - 3, h - 3, p_.Face);
    Line(1, h - 3, w - 3, h - 3, p_.Face);
    Pixel(w - 4, h - 4, p_.Face);
    Line(w - 2, 2, w - 2, h - 2, p_.Shadow);
    Line(2, h - 2, w - 2, h - 2, p_.Shadow);
    Pixel(w - 3, h - 3, p_.Shadow);
}

// ButtonType 5: a flat face in a thin frame; the focus is a frame around the caption.
void Painter::DrawOutline() {
    const int32_t w = in_.width;
    const int32_t h = in_.height;
    switch (in_.situation) {
        case Situation::Up:
            Fill(1, 1, w - 1, h - 1, Off(p_.Face, 12));
            DrawCaption(UpLook());
            Frame(1, 1, w - 1, h - 1, p_.Highlight);
            Frame(0, 0, w - 1, h - 1, Off(p_.Shadow, -26));
            Pixel(1, h - 2, Off(p_.Shadow, 26));
            Pixel(w - 2, 1, Off(p_.Shadow, 26));
            CaptionFocusFrame();
            break;
        case Situation::Down:
            Fill(1, 1, w - 2, h - 2, Off(p_.Shadow, 16));
            Frame(0, 0, w - 1, h - 1, Off(p_.Shadow, -26));
            Line(w - 1, 1, w - 1, h, p_.Highlight);
            Line(1, h - 1, w - 1, h - 1, p_.Highlight);
            // Pressed, the caption stays where it is, in the lit text colour and without
            // effect copies; it is not a DrawCaption look.
            DrawCaptionText(in_.caption.rect, p_.TextOver, *in_.caption.font);
            CaptionFocusFrame();
            break;
        case Situation::Disabled:
            DrawCaption(CaptionLook::Dimmed);
            Frame(0, 0, w, h, p_.Shadow);
            break;
    }
}

}  // namespace button
