// The calculator is laid out on a 16 x 16 grid and every size is a whole multiple of 16, so
// each part lands on whole pixels: the 16 and 32 pixel images are pure pixel blocks, and
// from 48 pixels on the keys widen into their gaps and the corners round off.
#include "tools/artwork/window_icon.h"

#include <algorithm>
#include <stdexcept>

#include "tools/artwork/raster.h"

namespace artwork {
namespace {

constexpr uint32_t kOutline = 0x601000;
constexpr uint32_t kBodyTop = 0xF06A30;
constexpr uint32_t kBodyBottom = 0xB0300C;
constexpr uint32_t kDisplay = 0x000000;
constexpr uint32_t kDigit = 0x00FF00;
constexpr uint32_t kNumberKey = 0xF4F4F4;
constexpr uint32_t kNumberKeyShade = 0xC8C8C8;
constexpr uint32_t kOperatorKey = 0x2020E8;
constexpr uint32_t kOperatorKeyShade = 0x1010A0;
constexpr uint32_t kEqualsKey = 0x30C818;
constexpr uint32_t kEqualsKeyShade = 0x188C0C;

// Grid cells, in sixteenths of the icon.
constexpr Box kBodyCells{2, 0, 14, 16};
constexpr Box kDisplayCells{4, 2, 12, 5};
constexpr int32_t kKeyColumns[] = {4, 7, 10};  // each two cells wide
constexpr int32_t kKeyRows[] = {6, 9, 12};     // each two cells high

Box Scale(Box cells, int32_t unit, int32_t grow) {
    return {cells.left * unit - grow, cells.top * unit - grow, cells.right * unit + grow,
            cells.bottom * unit + grow};
}

// The segments of a seven-segment digit box of the given width, height and stroke, in the
// order a b c d e f g, relative to the box's corner.
std::vector<Box> Segments(int32_t width, int32_t height, int32_t stroke) {
    const int32_t middle = (height - stroke) / 2;
    return {
        {0, 0, width, stroke},                        // a
        {width - stroke, 0, width, middle + stroke},  // b
        {width - stroke, middle, width, height},      // c
        {0, height - stroke, width, height},          // d
        {0, middle, stroke, height},                  // e
        {0, 0, stroke, middle + stroke},              // f
        {0, middle, width, middle + stroke},          // g
    };
}

// "123" in seven segments, right-aligned in the display.
void DrawDigits(platform::Image& image, Box display) {
    const int32_t displayHeight = display.bottom - display.top;
    if (displayHeight < 6) {
        // Too small for segments: a short green line reads as a number.
        const int32_t y = display.top + displayHeight / 2;
        for (int32_t x = display.left + (display.right - display.left) / 2; x < display.right - 1;
             ++x)
            BlendPixel(image, x, y, kDigit, 1);
        return;
    }
    const int32_t pad = std::max(1, displayHeight / 5);
    int32_t height = displayHeight - 2 * pad;
    const int32_t stroke = std::max(1, height / 7);
    // The middle bar sits exactly halfway only when height - stroke is even.
    if ((height - stroke) % 2 != 0) ++height;
    const int32_t width = std::max(3, height * 11 / 20);
    const int32_t gap = stroke + 1;
    // Segments lit for 1, 2 and 3 (a b c d e f g).
    const char* const lit[] = {".xx....", "xx.xx.x", "xxxx..x"};
    int32_t left = display.right - pad - 3 * width - 2 * gap;
    for (const char* digit : lit) {
        const std::vector<Box> segments = Segments(width, height, stroke);
        for (size_t s = 0; s < segments.size(); ++s) {
            if (digit[s] != 'x') continue;
            const Box& segment = segments[s];
            FillRoundBox(image,
                         {left + segment.left, display.top + pad + segment.top,
                          left + segment.right, display.top + pad + segment.bottom},
                         0, kDigit, kDigit);
        }
        left += width + gap;
    }
}

}  // namespace

platform::Image WindowIconImage(int32_t size) {
    if (size % 16 != 0 || size < 16 || size > 256) {
        throw std::invalid_argument("window icon sizes are multiples of 16 up to 256");
    }
    const int32_t unit = size / 16;
    const bool smooth = unit >= 3;  // room for rounded corners and shading
    const int32_t outline = std::max(1, size / 48);
    const int32_t grow = unit / 3;
    platform::Image image = BlankImage(size, size);

    const Box body = Scale(kBodyCells, unit, 0);
    const double bodyRadius = smooth ? 1.2 * unit : 0;
    FillRoundBox(image, body, bodyRadius, kOutline, kOutline);
    FillRoundBox(
        image,
        {body.left + outline, body.top + outline, body.right - outline, body.bottom - outline},
        std::max(0.0, bodyRadius - outline), kBodyTop, kBodyBottom);

    const double keyRadius = unit >= 8 ? 0.4 * unit : 0;
    const Box display = Scale(kDisplayCells, unit, grow);
    FillRoundBox(image, display, keyRadius, kDisplay, kDisplay);
    DrawDigits(image, display);

    for (size_t row = 0; row < 3; ++row) {
        for (size_t column = 0; column < 3; ++column) {
            uint32_t face = kNumberKey, shade = kNumberKeyShade;
            if (column == 2) {
                face = row == 2 ? kEqualsKey : kOperatorKey;
                shade = row == 2 ? kEqualsKeyShade : kOperatorKeyShade;
            }
            const Box cells{kKeyColumns[column], kKeyRows[row], kKeyColumns[column] + 2,
                            kKeyRows[row] + 2};
            FillRoundBox(image, Scale(cells, unit, grow), keyRadius, face, smooth ? shade : face);
        }
    }
    return image;
}

std::vector<uint8_t> WindowIconFile() {
    std::vector<platform::IconImage> images;
    for (int32_t size : kWindowIconSizes) {
        images.push_back({WindowIconImage(size), 0, 0, 32});
    }
    return platform::ValueOrThrow(platform::EncodeIconFile(images, false));
}

}  // namespace artwork
