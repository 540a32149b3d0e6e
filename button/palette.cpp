#include "button/palette.h"

#include "platform/objects/ole_color.h"

namespace button {
namespace {

using platform::SystemColor;
using platform::SystemColorIndex;

// The edges and accent that schemes 2 and 4 derive from the face.
void DeriveEdges(Palette& p, bool soft) {
    p.Shadow = OffsetColor(p.Face, -64, Shift::Even, soft);
    p.Light = OffsetColor(p.Face, 31, Shift::Even, soft);
    p.Highlight = OffsetColor(p.Face, 47, Shift::Even, soft);
    p.DarkShadow = OffsetColor(p.Face, -192, Shift::Even, soft);
}

}  // namespace

ColorScheme ColorSchemeOf(int32_t colorScheme) {
    const bool known = colorScheme >= static_cast<int32_t>(ColorScheme::System) &&
                       colorScheme <= static_cast<int32_t>(ColorScheme::Parent);
    return known ? static_cast<ColorScheme>(colorScheme) : ColorScheme::System;
}

Palette DerivePalette(const PaletteSource& s) {
    Palette p;
    switch (s.colorScheme) {
        case ColorScheme::Own:
            p.Face = ResolveColor(s.backColor);
            p.FaceOver = ResolveColor(s.backOver);
            p.Text = ResolveColor(s.foreColor);
            p.TextOver = ResolveColor(s.foreOver);
            DeriveEdges(p, s.softBevel);
            p.Accent = OffsetColor(p.Face, -128, Shift::Even, s.softBevel);
            p.AccentLight = p.Face;
            break;
        case ColorScheme::Grey:
            p.Face = p.FaceOver = 0xC0C0C0;
            p.Text = p.TextOver = 0x000000;
            p.Shadow = 0x808080;
            p.Light = 0xDFDFDF;
            p.Highlight = 0xFFFFFF;
            p.DarkShadow = 0x000000;
            p.Accent = 0x800000;
            p.AccentLight = 0xD1ADAD;
            break;
        case ColorScheme::Parent:
            p.Face = p.FaceOver = s.parentBackground;
            p.Text = p.TextOver = s.parentText;
            DeriveEdges(p, s.softBevel);
            p.Accent = SystemColor(SystemColorIndex::Highlight);
            p.AccentLight = LightenColor(p.Accent, 176);
            break;
        case ColorScheme::System:
            p.Face = p.FaceOver = SystemColor(SystemColorIndex::ButtonFace);
            p.Text = p.TextOver = SystemColor(SystemColorIndex::ButtonText);
            p.Shadow = SystemColor(SystemColorIndex::ButtonShadow);
            p.Light = SystemColor(SystemColorIndex::Light3D);
            p.Highlight = SystemColor(SystemColorIndex::ButtonHighlight);
            p.DarkShadow = SystemColor(SystemColorIndex::DarkShadow3D);
            p.Accent = SystemColor(SystemColorIndex::Highlight);
            p.AccentLight = LightenColor(p.Accent, 176);
            break;
    }
    p.Mask = ResolveColor(s.maskColor);
    p.FaceShade = OffsetColor(p.Face, 48, s.faceShadeShift, s.softBevel);
    return p;
}

Palette ForcedPalette(OleColor maskColor) {
    Palette p;
    p.Face = p.FaceShade = SystemColor(SystemColorIndex::ButtonFace);
    p.Text = SystemColor(SystemColorIndex::ButtonText);
    p.FaceOver = p.Accent = p.AccentLight = SystemColor(SystemColorIndex::Highlight);
    p.TextOver = SystemColor(SystemColorIndex::HighlightText);
    p.Light = p.Highlight = p.Shadow = p.DarkShadow = p.Text;
    p.Mask = ResolveColor(maskColor);
    return p;
}

}  // namespace button
