#include "platform/display/wayland/title_bar.h"

#include <algorithm>

#include "platform/gfx/line.h"
#include "platform/gfx/rect_paint.h"
#include "platform/objects/system_colors.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/text/text_flags.h"

namespace platform {
namespace {

constexpr Color kActiveBackground = 0x3C3C3C;
constexpr Color kInactiveBackground = 0x5A5A5A;
constexpr Color kCloseHot = 0x2B2BC8;
constexpr Color kActiveText = 0xFFFFFF;
constexpr Color kInactiveText = 0xB4B4B4;
constexpr int32_t kTitleLeft = 8;
constexpr int32_t kTitleGap = 4;

/// The bar's colours: its own dark look, or the desktop's caption colours while it forces its
/// colours.
struct BarColours {
    Color background;
    Color ink;
    Color closeHot;
    Color closeHotInk;
};

BarColours ColoursOf(const TitleBarLook& look) {
    if (!ForcedColors()) {
        const Color ink = look.active ? kActiveText : kInactiveText;
        return {look.active ? kActiveBackground : kInactiveBackground, ink, kCloseHot, ink};
    }
    using enum SystemColorIndex;
    return {SystemColor(look.active ? ActiveCaption : InactiveCaption),
            SystemColor(look.active ? CaptionText : InactiveCaptionText), SystemColor(Highlight),
            SystemColor(HighlightText)};
}

}  // namespace

Rect CloseBoxRect(int32_t barWidth) {
    return {std::max(0, barWidth - kTitleBarHeight), 0, barWidth, kTitleBarHeight};
}

void DrawTitleBar(Surface& bar, std::string_view title, const TitleBarLook& look) {
    const Rect bounds{0, 0, bar.Width(), kTitleBarHeight};
    const BarColours colours = ColoursOf(look);
    FillRect(bar, bounds, colours.background);
    const Rect closeBox = CloseBoxRect(bar.Width());
    if (look.closeHot) FillRect(bar, closeBox, colours.closeHot);

    static const FontDesc titleFont = PlainFont("DejaVu Sans", 100000, kFontWeightBold);
    Rect titleRect{kTitleLeft, 0, closeBox.left - kTitleGap, kTitleBarHeight};
    bar.textColor = colours.ink;
    DrawText(bar, *LoadFont(titleFont), title, titleRect,
             kTextSingleLine | kTextVCenter | kTextNoPrefix);

    const int32_t left = closeBox.left;
    const Color ink = look.closeHot ? colours.closeHotInk : colours.ink;
    MoveTo(bar, {left + 7, 7});
    LineTo(bar, {left + 17, 17}, ink);
    MoveTo(bar, {left + 16, 7});
    LineTo(bar, {left + 6, 17}, ink);
}

}  // namespace platform
