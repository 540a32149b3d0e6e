#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gfx/geometry.h"
#include "platform/gfx/surface.h"

namespace platform {

/// The title bar the program draws above a bordered window where the compositor leaves window
/// frames to clients: the title, and a close box at the right end. It is as wide as the window
/// and kTitleBarHeight logical pixels high.
constexpr int32_t kTitleBarHeight = 24;

/// How the bar is shown: its window has the keyboard or not, the pointer is over the close box
/// or not.
struct TitleBarLook {
    bool active = true;
    bool closeHot = false;

    friend bool operator==(const TitleBarLook&, const TitleBarLook&) = default;
};

/// The close box: the bar's last kTitleBarHeight × kTitleBarHeight square (all of the bar when
/// it is narrower).
Rect CloseBoxRect(int32_t barWidth);

/// Draws the whole bar on `bar` (kTitleBarHeight rows, any width):
///   - background 0x3C3C3C when active, 0x5A5A5A when not;
///   - the close box filled 0x2B2BC8 (red) while the pointer is over it, else background;
///   - the title in DejaVu Sans Bold 10 pt (13 px), white when active and 0xB4B4B4 when not
///     (also the cross's colour), from x = 8, vertically centred, clipped 4 pixels short of
///     the close box;
///   - in the close box, a cross of two 1-pixel diagonals in that colour: from (left + 7, 7)
///     to (left + 16, 16) and from (left + 16, 7) to (left + 7, 16), ends included, where left
///     is the box's left edge.
/// While the desktop forces its colours (high contrast) the bar is drawn in its caption colours
/// instead: the active or inactive caption with its text, the hot close box in highlight with
/// a cross in highlight text.
void DrawTitleBar(Surface& bar, std::string_view title, const TitleBarLook& look);

}  // namespace platform
