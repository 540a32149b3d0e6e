#include "button/painter.h"

#include "platform/gfx/ellipse.h"
#include "platform/gfx/line.h"
#include "platform/gfx/rect_paint.h"
#include "platform/text/draw_text.h"
#include "platform/text/text_flags.h"

namespace button {
namespace {

// Drawn: each line centred, broken at words; vertical centring does not apply to such text, so
// the lines start at the rectangle's top, which the layout has already placed.
constexpr uint32_t kDrawFlags =
    platform::kTextCenter | platform::kTextVCenter | platform::kTextWordBreak;

// The shift of an effect's dark and light copies from their base.
constexpr int32_t kEffectShift = 40;

}  // namespace

CaptionEffect CaptionEffectOf(int32_t specialEffect) {
    if (specialEffect <= 0) return CaptionEffect::None;
    if (specialEffect == 1) return CaptionEffect::Raised;
    if (specialEffect == 2) return CaptionEffect::Sunken;
    return CaptionEffect::DropShadow;
}

Painter::Painter(platform::Surface& surface, const PaintInput& input)
    : surface_(surface),
      in_(input),
      p_(input.palette),
      lastCaptionLook_(input.previousCaptionLook) {}

void Painter::Paint() {
    Fill(0, 0, in_.width, in_.height, p_.Face);
    if (in_.forcedColors) {
        DrawForcedColors();
    } else if (const auto recipe = in_.look->recipe) {
        (this->*recipe)();
    }
    DrawPicture();
}

// ---- Drawing steps ------------------------------------------------------------------------

void Painter::Fill(int32_t x, int32_t y, int32_t width, int32_t height, Color colour) {
    platform::FillRect(surface_, {x, y, x + width, y + height}, colour);
}

void Painter::Frame(int32_t x, int32_t y, int32_t width, int32_t height, Color colour) {
    platform::FrameRect(surface_, {x, y, x + width, y + height}, colour);
}

void Painter::Ellipse(int32_t x, int32_t y, int32_t width, int32_t height, Color outline,
                      Color fill) {
    platform::DrawEllipse(surface_, {x, y, x + width, y + height}, outline, 2, fill);
}

void Painter::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color colour) {
    platform::MoveTo(surface_, {x1, y1});
    platform::LineTo(surface_, {x2, y2}, colour);
}

void Painter::Pixel(int32_t x, int32_t y, Color colour) {
    surface_.SetPixel(x, y, colour);
}

void Painter::Bevel(Color c1, Color c2, Color c3, Color c4, BevelPlace place, BevelFrames frames) {
    PaintBevelOn(surface_, in_.width, in_.height, c1, c2, c3, c4, place, frames);
}

void Painter::Corners(Color colour) {
    PaintCornersOn(surface_, in_.width, in_.height, colour);
}

void Painter::Gradient(Color colour, float k, Shift shift, Direction direction) {
    PaintGradientOn(surface_, in_.width, in_.height, colour, k, shift, in_.softBevel, direction);
}

void Painter::FocusRect() {
    PaintFocusRectOn(surface_, in_.content, p_.Text, in_.showFocusRect, in_.focused);
}

void Painter::CaptionFocusFrame() {
    if (!in_.focused || !in_.showFocusRect) return;
    constexpr Color kFrame = 0xCC9999;
    const platform::Rect& r = in_.caption.rect;
    Frame(r.left - 2, r.top - 1, in_.caption.width + 4, in_.caption.height + 2, kFrame);
}

Color Painter::Off(Color colour, int32_t amount) const {
    return OffsetColor(colour, amount, Shift::Even, in_.softBevel);
}

Color Painter::OffP(Color colour, int32_t amount) const {
    return OffsetColor(colour, amount, Shift::BlueInProportion, in_.softBevel);
}

// ---- Caption ------------------------------------------------------------------------------

void Painter::DrawCaption(CaptionLook look, std::optional<Color> effectBase) {
    DrawCaption(look, *in_.caption.font, in_.caption.rect, effectBase);
}

void Painter::DrawDefaultableCaption(CaptionLook look) {
    if (!in_.isDefault || !in_.caption.defaultFont) {
        DrawCaption(look);
        return;
    }
    DrawCaption(look, *in_.caption.defaultFont, in_.caption.defaultRect, std::nullopt);
}

void Painter::DrawCaption(CaptionLook look, const platform::Font& font, const platform::Rect& rect,
                          std::optional<Color> effectBase) {
    lastCaptionLook_ = look;
    const platform::Rect down = rect.Offset(1, 1);
    auto text = [&](const platform::Rect& where, Color colour) {
        DrawCaptionText(where, colour, font);
    };
    switch (look) {
        case CaptionLook::Normal:
            DrawCaptionEffect(rect, font, effectBase);
            text(rect, p_.Text);
            break;
        case CaptionLook::Lit:
            DrawCaptionEffect(rect, font, effectBase);
            text(rect, p_.TextOver);
            break;
        case CaptionLook::Pressed:
            DrawCaptionEffect(down, font, effectBase);
            text(down, in_.look->pressedCaptionInLight && !in_.forcedColors ? p_.Light : p_.TextOver);
            break;
        case CaptionLook::Engraved:
            text(down, p_.Highlight);
            text(rect, p_.Shadow);
            break;
        case CaptionLook::Dimmed:
            text(rect, p_.Shadow);
            break;
        case CaptionLook::Shaded:
            text(rect, OffP(p_.FaceShade, -104));
            break;
        case CaptionLook::Embossed:
            text(down, p_.Highlight);
            text(rect, p_.Face);
            break;
        case CaptionLook::Inset:
            text(down, Off(p_.Shadow, -50));
            text(rect, p_.Highlight);
            break;
    }
}

// The copies under the text, shifted from the look's base: FaceShade or Face, or AccentLight
// for a lit up look that asks for it.
void Painter::DrawCaptionEffect(const platform::Rect& rect, const platform::Font& font,
                                std::optional<Color> effectBase) {
    if (in_.effect == CaptionEffect::None) return;
    Color base = in_.look->captionEffectBase == EffectBase::FaceShade ? p_.FaceShade : p_.Face;
    if (in_.look->accentWhenLit && in_.situation == Situation::Up && in_.lit && !in_.ownColours) {
        base = p_.AccentLight;
    }
    if (effectBase) base = *effectBase;
    const bool sunken = in_.effect == CaptionEffect::Sunken;
    DrawCaptionText(rect.Offset(1, 1), Off(base, sunken ? kEffectShift : -kEffectShift), font);
    if (in_.effect != CaptionEffect::DropShadow) {
        DrawCaptionText(rect.Offset(-1, -1), Off(base, sunken ? -kEffectShift : kEffectShift),
                        font);
    }
}

void Painter::DrawCaptionText(const platform::Rect& rect, Color colour,
                              const platform::Font& font) {
    surface_.textColor = colour;
    platform::Rect target = rect;
    platform::DrawText(surface_, font, in_.caption.text, target, kDrawFlags);
}

}  // namespace button
