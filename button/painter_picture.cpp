#include "button/painter.h"

namespace button {
namespace {

using Mode = PictureInk::Mode;

constexpr PictureInk kPlain{Mode::Plain, 0};

}  // namespace

// PictureOver is only ever shown in place of a PictureNormal, in its rectangle.
void Painter::DrawPicture() {
    const forms::PicturePtr& normal = in_.picture.normal;
    if (!normal) return;
    const forms::PicturePtr& over = in_.picture.over;
    const int32_t x = in_.picture.at.x;
    const int32_t y = in_.picture.at.y;
    const Look& look = *in_.look;
    switch (in_.situation) {
        case Situation::Up:
            if (!in_.lit) {
                DrawPictureEffect(0, normal);
                Mode mode = look.blendsPictureWhenUp ? Mode::Blend : Mode::Plain;
                if (in_.picture.useGreyscale) mode = Mode::Greyscale;
                Composite(x, y, normal, {mode, 0});
            } else if (look.accentWhenLit) {
                // Lit, the picture rises above its own shadow.
                DrawPictureEffect(-1, normal);
                Composite(x + 1, y + 1, normal, {Mode::Silhouette, p_.Shadow});
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
                    Composite(x, y, normal, {Mode::DarkSilhouette, p_.Shadow});
                    break;
                case DisabledPicture::LightSilhouette:
                    Composite(x, y, normal, {Mode::DarkSilhouette, Off(p_.Shadow, 13)});
                    break;
                case DisabledPicture::Engraved:
                    // A light copy one pixel down-right under the dark one.
                    Composite(x + 1, y + 1, normal, {Mode::DarkSilhouette, p_.Highlight});
                    Composite(x, y, normal, {Mode::DarkSilhouette, p_.Shadow});
                    break;
            }
            break;
    }
    // A picture behind the caption would hide it: the caption goes on top again.
    if (in_.picture.behindCaption) DrawCaption(lastCaptionLook_);
}

// The raised, sunken or shadowed copies under a picture: one-colour silhouettes one pixel
// down-right and (raised or sunken) one pixel up-left of where the picture will be drawn,
// all moved by `offset` (-1 for a picture risen above its shadow).
void Painter::DrawPictureEffect(int32_t offset, const forms::PicturePtr& picture) {
    if (in_.effect == CaptionEffect::None) return;
    Color base = p_.Face;
    if (in_.look->pictureEffectBase == EffectBase::FaceShade) {
        base = p_.FaceShade;
    } else if (offset == -1 && !in_.ownColours) {
        base = p_.AccentLight;
    }
    const bool sunken = in_.effect == CaptionEffect::Sunken;
    const int32_t x = in_.picture.at.x;
    const int32_t y = in_.picture.at.y;
    Composite(x + 1 + offset, y + 1 + offset, picture,
              {Mode::Silhouette, Off(base, sunken ? 40 : -40)});
    if (in_.effect != CaptionEffect::DropShadow) {
        Composite(x - 1 + offset, y - 1 + offset, picture,
                  {Mode::Silhouette, Off(base, sunken ? -40 : 40)});
    }
}

void Painter::Composite(int32_t x, int32_t y, const forms::PicturePtr& picture,
                        const PictureInk& ink) {
    CompositePicture(surface_, x, y, in_.picture.size.x, in_.picture.size.y, picture, p_.Mask,
                     in_.picture.useMaskColor, ink);
}

}  // namespace button
