#include "forms/message_box_icon.h"

#include "platform/gfx/color.h"
#include "platform/gfx/ellipse.h"
#include "platform/gfx/rect_paint.h"

namespace forms {
namespace {

constexpr platform::Color kBlack = platform::Rgb(0, 0, 0);
constexpr platform::Color kWhite = platform::Rgb(255, 255, 255);

void DrawInformation(platform::Surface& surface, platform::Point at) {
    const platform::Rect box =
        platform::Rect::FromSize(at.x, at.y, kMessageIconSize, kMessageIconSize);
    platform::DrawEllipse(surface, box, platform::Rgb(0, 0, 128), 1, platform::Rgb(0, 0, 255));
    platform::FillRect(surface, platform::Rect{14, 6, 18, 10}.Offset(at.x, at.y), kWhite);
    platform::FillRect(surface, platform::Rect{14, 12, 18, 26}.Offset(at.x, at.y), kWhite);
}

void DrawExclamation(platform::Surface& surface, platform::Point at) {
    constexpr int32_t kRows = 30;
    for (int32_t r = 0; r < kRows; ++r) {
        const int32_t half = (r + 2) / 2;
        const int32_t y = at.y + 1 + r;
        const int32_t left = at.x + 16 - half;
        const int32_t right = at.x + 16 + half;  // exclusive
        if (r == kRows - 1) {
            platform::FillRect(surface, {left, y, right, y + 1}, kBlack);
            continue;
        }
        platform::FillRect(surface, {left, y, right, y + 1}, platform::Rgb(255, 255, 0));
        platform::FillRect(surface, {left, y, left + 1, y + 1}, kBlack);
        platform::FillRect(surface, {right - 1, y, right, y + 1}, kBlack);
    }
    platform::FillRect(surface, platform::Rect{15, 9, 17, 22}.Offset(at.x, at.y), kBlack);
    platform::FillRect(surface, platform::Rect{15, 24, 17, 26}.Offset(at.x, at.y), kBlack);
}

}  // namespace

void DrawMessageIcon(platform::Surface& surface, platform::Point at, MessageBoxIcon icon) {
    switch (icon) {
        case MessageBoxIcon::None:
            break;
        case MessageBoxIcon::Information:
            DrawInformation(surface, at);
            break;
        case MessageBoxIcon::Exclamation:
            DrawExclamation(surface, at);
            break;
    }
}

}  // namespace forms
