#include "button/caption_layout.h"

#include "platform/gfx/surface.h"
#include "platform/text/draw_text.h"
#include "platform/text/text_flags.h"

namespace button {
namespace {

// Measured: wrapped at the rectangle's width, the rectangle set to the text's extent.
constexpr uint32_t kMeasureFlags = platform::kTextCalcRect | platform::kTextWordBreak;

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

PictureSide PictureSideOf(int32_t picturePosition) {
    const bool known = picturePosition >= static_cast<int32_t>(PictureSide::Left) &&
                       picturePosition <= static_cast<int32_t>(PictureSide::Behind);
    return known ? static_cast<PictureSide>(picturePosition) : PictureSide::Behind;
}

CaptionLayout LayOutCaption(std::string_view caption, const platform::Font& font, int32_t width,
                            int32_t height, platform::Point pictureSize, PictureSide side) {
    const int32_t pw = pictureSize.x;
    const int32_t ph = pictureSize.y;
    platform::Rect rect{1, 1, width - 2, height - 2};
    switch (side) {
        case PictureSide::Left:
            rect.left = pw + 1;
            break;
        case PictureSide::Right:
            rect.right = width - 2 - pw;
            break;
        case PictureSide::Above:
            rect.top = ph + 1;
            break;
        case PictureSide::Below:
            rect.bottom = height - 2 - ph;
            break;
        case PictureSide::Behind:
            break;
    }
    // Measuring draws nothing: any surface serves.
    platform::Surface measuring;
    platform::DrawText(measuring, font, caption, rect, kMeasureFlags);
    int32_t dx = (width - rect.right) / 2;
    int32_t dy = (height - rect.bottom) / 2;
    if (side == PictureSide::Right) dx = (width - rect.right - pw - 4) / 2;
    if (side == PictureSide::Below) dy = (height - rect.bottom - ph - 4) / 2;
    return {rect.Offset(dx, dy), rect.right - rect.left, rect.bottom - rect.top};
}

platform::Point PlacePicture(std::string_view caption, const platform::Rect& captionRect,
                             int32_t width, int32_t height, platform::Point pictureSize,
                             PictureSide side) {
    const int32_t pw = pictureSize.x;
    const int32_t ph = pictureSize.y;
    const platform::Point centred{(width - pw) / 2, (height - ph) / 2};
    if (IsBlank(caption)) return centred;
    switch (side) {
        case PictureSide::Left:
            return {captionRect.left - pw - 4, centred.y};
        case PictureSide::Right:
            return {captionRect.right + 4, centred.y};
        case PictureSide::Above:
            return {centred.x, captionRect.top - ph - 2};
        case PictureSide::Below:
            return {centred.x, captionRect.bottom + 2};
        case PictureSide::Behind:
            break;
    }
    return centred;
}

}  // namespace button
