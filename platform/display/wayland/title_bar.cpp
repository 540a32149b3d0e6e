#include "platform/display/wayland/title_bar.h"

#include <algorithm>

#include "platform/gfx/line.h"
#include "platform/gfx/rect_paint.h"
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

}  // namespace

Rect CloseBoxRect(int32_t barWidth) {
    return {std::max(0, barWidth - kTitleBarHeight), 0, barWidth, kTitleBarHeight};
}

void DrawTitleBar(Surface& bar, std::string_view title, const TitleBarLook& look) {
    const Rect bounds{0, 0, bar.Width(), kTitleBarHeight};
    FillRect(bar, bounds, look.active ? kActiveBackground : kInactiveBackground);
    const Rect closeBox = CloseBoxRect(bar.Width());
    if (look.closeHot) FillRect(bar, closeBox, kCloseHot);
    const Color ink = look.active ? kActiveText : kInactiveText;

    static const FontDesc titleFont = PlainFont("DejaVu Sans", 100000, kFontWeightBold);
    Rect titleRect{kTitleLeft, 0, closeBox.left - kTitleGap, kTitleBarHeight};
    bar.textColor = ink;
    DrawText(bar, *LoadFont(titleFont), title, titleRect,
             kTextSingleLine | kTextVCenter | kTextNoPrefix);

    const int32_t left = closeBox.left;
    MoveTo(bar, {left + 7, 7});
    LineTo(bar, {left + 17, 17}, ink);
    MoveTo(bar, {left + 16, 7});
    LineTo(bar, {left + 6, 17}, ink);
}

}  // namespace platform
