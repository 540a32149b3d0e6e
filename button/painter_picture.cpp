#include "button/painter.h"

namespace button {
namespace {

using Mode = PictureInk::Mode;

constexpr PictureInk kPlain{Mode::Plain, 0};

}  // namespace

// PictureOver is only ever shown in place of a PictureNormal, in its rectangle.
void Painter::DrawPicture() {
    const forms::PicturePtr& normal = in.picture.normal;
    if (!normal) return;
    const forms::PicturePtr& over = in.picture.over;
    const int32_t x = in.picture.at.x;
    const int32_t y = in.picture.at.y;
    const Look& look = *in.look;
    switch (in.situation) {
        case Situation::Up:
            if (!in.lit) {
                DrawPictureEffect(0, normal);
                Mode mode = look.blendsPictureWhenUp ? Mode::Blend : Mode::Plain;
                if (in.picture.useGreyscale) mode = Mode::Greyscale;
                Composite(x, y, normal, {mode, 0});
            } else if (look.accentWhenLit) {
                // Lit, the picture rises above its own shadow.
                DrawPictureEffect(-1, normal);
                Composite(x + 1, y + 1, normal, {Mode::Silhouette, p.Shadow});
                Composite(x - 1, y - 1, normal, kPlain);
            } else {
                const forms::PicturePtr& shown = over ? over : normal;
                DrawPictureEffect(0, shown);
                Composite(x, y, shown, kPlain);
            }
            break;
        case Situation::Down: {
            const int32_t k = look.pressedPictureShift;
            if (over && look.pressedShowsPictureOver) {
                Composite(x + k, y + k, over, kPlain);
            } else {
                DrawPictureEffect(k, normal);
                Composite(x + k, y + k, normal, kPlain);
            }
            break;
        }
        case Situation::Disabled:
            switch (look.disabledPicture) {
                case DisabledPicture::Greyscale:
                    Composite(x + 1, y + 1, normal, {Mode::Greyscale, 0});
                    break;
                case DisabledPicture::Silhouette:
                    Composite(x, y, normal, {Mode::DarkSilhouette, p.Shadow});
                    break;
                case DisabledPicture::LightSilhouette:
                    Composite(x, y, normal, {Mode::DarkSilhouette, Off(p.Shadow, 13)});
                    break;
                case DisabledPicture::Engraved:
                    // A light copy one pixel down-right under the dark one.
                    Composite(x + 1, y + 1, normal, {Mode::DarkSilhouette, p.Highlight});
                    Composite(x, y, normal, {Mode::DarkSilhouette, p.Shadow});
                    break;
            }
            break;
    }
    // A picture behind the caption would hide it: the caption goes on top again.
    if (in.picture.behindCaption) DrawCaption(lastCaptionLook);
}

// The raised, sunken or shadowed copies under a picture: one-colour silhouettes one pixel
// down-right and (raised or sunken) one pixel up-left of where the picture will be drawn,
// all moved by `offset` (-1 for a picture risen above its shadow).
void Painter::DrawPictureEffect(int32_t offset, const forms::PicturePtr& picture) {
    if (in.effect == CaptionEffect::None) return;
    Color base = p.Face;
    if (in.look->pictureEffectBase == EffectBase::FaceShade) {
        base = p.FaceShade;
    } else if (offset == -1 && !in.ownColours) {
        base = p.AccentLight;
    }
    const bool sunken = in.effect == CaptionEffect::Sunken;
    const int32_t x = in.picture.at.x;
    const int32_t y = in.picture.at.y;
    Composite(x + 1 + offset, y + 1 + offset, picture,
              {Mode::Silhouette, Off(base, sunken ? 40 : -40)});
    if (in.effect != CaptionEffect::DropShadow) {
        Composite(x - 1 + offset, y - 1 + offset, picture,
                  {Mode::Silhouette, Off(base, sunken ? -40 : 40)});
    }
}

void Painter::Composite(int32_t x, int32_t y, const forms::PicturePtr& picture,
                        const PictureInk& ink) {
    CompositePicture(surface, x, y, in.picture.size.x, in.picture.size.y, picture, p.Mask,
                     in.picture.useMaskColor, ink);
}

}  // namespace button
