#pragma once

// Where the caption and the picture go in the button: pure functions of the caption, the font,
// the client size and the picture's size and place.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/geometry.h"
#include "platform/text/font.h"

namespace button {

/// Where the picture lies beside the caption.
enum class PictureSide { Left, Right, Above, Below, Behind };

/// The side of a stored PicturePosition: 0 left, 1 right, 2 above, 3 below, 4 behind the
/// caption; any other number has no place of its own and is laid out as behind.
PictureSide PictureSideOf(int32_t picturePosition);

/// The caption's up rectangle (the down copy lies one pixel right and down) and the size it
/// measures.
struct CaptionLayout {
    platform::Rect rect;
    int32_t width = 0;
    int32_t height = 0;
};

/// The caption measured in `font`, word-broken to the room a picture of `pictureSize` at
/// `side` leaves in a width × height button, then centred in what remains:
///
/// | side   | measured in                          | moved by (dx, dy)                      |
/// |--------|--------------------------------------|----------------------------------------|
/// | Left   | (pw + 1, 1, W − 2, H − 2)            | ((W − right) / 2, (H − bottom) / 2)     |
/// | Right  | (1, 1, W − 2 − pw, H − 2)            | ((W − right − pw − 4) / 2, as Left)     |
/// | Above  | (1, ph + 1, W − 2, H − 2)            | as Left                                 |
/// | Below  | (1, 1, W − 2, H − 2 − ph)            | (as Left, (H − bottom − ph − 4) / 2)    |
/// | Behind | (1, 1, W − 2, H − 2)                 | as Left                                 |
///
/// where right and bottom are the measured extent's; divisions truncate toward zero.
CaptionLayout LayOutCaption(std::string_view caption, const platform::Font& font, int32_t width,
                            int32_t height, platform::Point pictureSize, PictureSide side);

/// The picture's top-left corner against the laid-out caption: 4 pixels left or right of it or
/// 2 above or below it, centred the other way; centred in the button when the caption is
/// blank (spaces or nothing) or the picture lies behind it.
platform::Point PlacePicture(std::string_view caption, const platform::Rect& captionRect,
                             int32_t width, int32_t height, platform::Point pictureSize,
                             PictureSide side);

}  // namespace button
