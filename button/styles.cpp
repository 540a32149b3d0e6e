#include <algorithm>

#include "button/vb_button.h"
#include "platform/text/font_cache.h"

namespace button {
namespace {

using Look = void (vbButton::*)(Situation);

constexpr int16_t kBoldWeight = 700;

}  // namespace

// The look of each ButtonType, by index ButtonType - 1. PictureOnly (10) has no recipe: the
// face fill and the picture are all it shows. A type outside 1..14 draws nothing either.
void vbButton::DrawLook(Situation situation) {
    static constexpr Look kLooks[14] = {
        &vbButton::DrawBordered,    &vbButton::DrawClassic,
        &vbButton::DrawGradient,    &vbButton::DrawRounded,
        &vbButton::DrawOutline,     &vbButton::DrawLightBevel,
        &vbButton::DrawFlat,        &vbButton::DrawHoverFlat,
        &vbButton::DrawAccentHover, nullptr,
        &vbButton::DrawTransparent, &vbButton::DrawHoverClassic,
        &vbButton::DrawOval,        &vbButton::DrawGlossy,
    };
    if (buttonType < 1 || buttonType > 14) return;
    if (const Look look = kLooks[buttonType - 1]) (this->*look)(situation);
}

// The Outline look marks the focus with a frame around the caption instead of the dotted
// rectangle on the content.
void vbButton::PaintCaptionFocusFrame() {
    if (!focus || !showFocusRect) return;
    constexpr Color kFrame = 0xCC9999;
    PaintRect(captionRect.left - 2, captionRect.top - 1, captionWidth + 4, captionHeight + 2,
              kFrame, true);
}

// The default button's caption is drawn at least bold, laid out for that weight. The bold font
// is only handed to the drawing: the button's own font stays exactly as it was.
void vbButton::DrawGlossyCaption(int32_t look) {
    if (!DisplayAsDefault()) {
        DrawCaption(look);
        return;
    }
    platform::FontDesc bold = host->Font();
    bold.weight = std::max<int16_t>(bold.weight, kBoldWeight);
    const auto font = platform::LoadFont(bold);
    DrawCaption(look, *font, MeasureCaption(*font).rect);
}

}  // namespace button
