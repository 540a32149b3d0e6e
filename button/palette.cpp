#include "button/palette.h"

#include "platform/objects/ole_color.h"

namespace button {
namespace {

// System-colour indices of the desktop.
constexpr int32_t kHighlight = 13;
constexpr int32_t kButtonFace = 15;
constexpr int32_t kButtonShadow = 16;
constexpr int32_t kButtonText = 18;
constexpr int32_t kButtonHighlight = 20;
constexpr int32_t kDarkShadow3D = 21;
constexpr int32_t kLight3D = 22;

Color System(int32_t index) {
    return platform::SystemColor(index).value_or(0);
}

// The edges and accent that schemes 2 and 4 derive from the face.
void DeriveEdges(Palette& p, bool soft) {
    p.Shadow = OffsetColor(p.Face, -64, false, soft);
    p.Light = OffsetColor(p.Face, 31, false, soft);
    p.Highlight = OffsetColor(p.Face, 47, false, soft);
    p.DarkShadow = OffsetColor(p.Face, -192, false, soft);
}

}  // namespace

Palette DerivePalette(const PaletteSource& s) {
    Palette p;
    switch (s.colorScheme) {
        case 2:
            p.Face = ResolveColor(s.backColor);
            p.FaceOver = ResolveColor(s.backOver);
            p.Text = ResolveColor(s.foreColor);
            p.TextOver = ResolveColor(s.foreOver);
            DeriveEdges(p, s.softBevel);
            p.Accent = OffsetColor(p.Face, -128, false, s.softBevel);
            p.AccentLight = p.Face;
            break;
        case 3:
            p.Face = p.FaceOver = 0xC0C0C0;
            p.Text = p.TextOver = 0x000000;
            p.Shadow = 0x808080;
            p.Light = 0xDFDFDF;
            p.Highlight = 0xFFFFFF;
            p.DarkShadow = 0x000000;
            p.Accent = 0x800000;
            p.AccentLight = 0xD1ADAD;
            break;
        case 4:
            p.Face = p.FaceOver = s.parentBackground;
            p.Text = p.TextOver = s.parentText;
            DeriveEdges(p, s.softBevel);
            p.Accent = System(kHighlight);
            p.AccentLight = LightenColor(p.Accent, 176);
            break;
        default:
            p.Face = p.FaceOver = System(kButtonFace);
            p.Text = p.TextOver = System(kButtonText);
            p.Shadow = System(kButtonShadow);
            p.Light = System(kLight3D);
            p.Highlight = System(kButtonHighlight);
            p.DarkShadow = System(kDarkShadow3D);
            p.Accent = System(kHighlight);
            p.AccentLight = LightenColor(p.Accent, 176);
            break;
    }
    p.Mask = ResolveColor(s.maskColor);
    p.FaceShade = OffsetColor(p.Face, 48, s.buttonType == 3, s.softBevel);
    return p;
}

}  // namespace button
