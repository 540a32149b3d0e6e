// The calculator is laid out on a 16 x 16 grid: the body, the display, and a block of 3 x 3 keys,
// each two cells wide with a cell between them. Every edge lies on a whole pixel: the keys step
// by three cells rounded up to whole pixels and fill the step but for their gap, the block
// centred where the grid puts it, so where a cell is not a whole number of pixels (24) the keys
// widen into their gaps instead of spacing unevenly. The 16, 24 and 32 pixel images are pure
// pixel blocks, and from 48 pixels on the keys widen into their gaps and the corners round off.
#include "tools/artwork/window_icon.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tools/artwork/raster.h"
#include "tools/artwork/svg_writer.h"

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
constexpr int32_t kDisplayTopCell = 2;  // the display spans the key block's columns
constexpr int32_t kKeyBlockCentreX = 8, kKeyBlockCentreY = 10;
constexpr int32_t kKeyStepCells = 3;  // a key of two cells and its gap of one
constexpr int32_t kKeysAcross = 3;    // and down

// Where the parts lie at one size, in pixels.
struct Layout {
    Box body, display;
    int32_t keyLeft, keyTop, keySide, keyStep;
};

// A grid line's pixel edge: cells sixteenths of the size, rounded to the nearest pixel.
int32_t Edge(int32_t cells, int32_t size) {
    return (cells * size + 8) / 16;
}

Layout LayOut(int32_t size) {
    const int32_t grow = size / 48;  // how far the keys and the display widen into their gaps
    const int32_t gap = size / 16 - 2 * grow;
    const int32_t step = (kKeyStepCells * size + 15) / 16;
    const int32_t block = kKeysAcross * step - gap;
    const int32_t left = Edge(kKeyBlockCentreX, size) - block / 2;
    const int32_t top = Edge(kKeyBlockCentreY, size) - block / 2;
    const Box body{Edge(kBodyCells.left, size), Edge(kBodyCells.top, size),
                   Edge(kBodyCells.right, size), Edge(kBodyCells.bottom, size)};
    const Box display{left, Edge(kDisplayTopCell, size) - grow, left + block, top - gap};
    return {body, display, left, top, step - gap, step};
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
std::vector<RoundBox> Digits(Box display) {
    const int32_t displayHeight = display.bottom - display.top;
    if (displayHeight < 6) {
        // Too small for segments: a short green line reads as a number.
        const int32_t y = display.top + displayHeight / 2;
        const int32_t left = display.left + (display.right - display.left) / 2;
        return {{{left, y, display.right - 1, y + 1}, 0, kDigit, kDigit}};
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
    const std::vector<Box> segments = Segments(width, height, stroke);
    std::vector<RoundBox> digits;
    int32_t left = display.right - pad - 3 * width - 2 * gap;
    for (const char* digit : lit) {
        for (size_t s = 0; s < segments.size(); ++s) {
            if (digit[s] != 'x') continue;
            const Box& segment = segments[s];
            digits.push_back({{left + segment.left, display.top + pad + segment.top,
                               left + segment.right, display.top + pad + segment.bottom},
                              0,
                              kDigit,
                              kDigit});
        }
        left += width + gap;
    }
    return digits;
}

// Two columns of number keys and the operator column, the equals key at its foot; shaded from
// face to shade when smooth.
std::vector<RoundBox> Keys(const Layout& layout, double radius, bool smooth) {
    std::vector<RoundBox> keys;
    for (int32_t row = 0; row < kKeysAcross; ++row) {
        for (int32_t column = 0; column < kKeysAcross; ++column) {
            uint32_t face = kNumberKey, shade = kNumberKeyShade;
            if (column == 2) {
                face = row == 2 ? kEqualsKey : kOperatorKey;
                shade = row == 2 ? kEqualsKeyShade : kOperatorKeyShade;
            }
            const int32_t left = layout.keyLeft + column * layout.keyStep;
            const int32_t top = layout.keyTop + row * layout.keyStep;
            keys.push_back({{left, top, left + layout.keySide, top + layout.keySide},
                            radius,
                            face,
                            smooth ? shade : face});
        }
    }
    return keys;
}

}  // namespace

std::vector<RoundBox> WindowIconBoxes(int32_t size) {
    if (size < 16 || size > 256) {
        throw std::invalid_argument("window icon sizes run from 16 to 256 pixels");
    }
    const Layout layout = LayOut(size);
    const double cell = size / 16.0;
    const bool smooth = size >= 48;  // room for rounded corners and shading
    const int32_t outline = std::max(1, size / 48);
    const double bodyRadius = smooth ? 1.2 * cell : 0;
    const double keyRadius = size >= 128 ? 0.4 * cell : 0;
    const Box& body = layout.body;
    std::vector<RoundBox> boxes = {
        {body, bodyRadius, kOutline, kOutline},
        {{body.left + outline, body.top + outline, body.right - outline, body.bottom - outline},
         std::max(0.0, bodyRadius - outline),
         kBodyTop,
         kBodyBottom},
        {layout.display, keyRadius, kDisplay, kDisplay},
    };
    const std::vector<RoundBox> digits = Digits(layout.display);
    boxes.insert(boxes.end(), digits.begin(), digits.end());
    const std::vector<RoundBox> keys = Keys(layout, keyRadius, smooth);
    boxes.insert(boxes.end(), keys.begin(), keys.end());
    return boxes;
}

platform::Image WindowIconImage(int32_t size) {
    platform::Image image = BlankImage(size, size);
    for (const RoundBox& box : WindowIconBoxes(size))
        FillRoundBox(image, box.box, box.radius, box.topColour, box.bottomColour);
    return image;
}

std::vector<uint8_t> WindowIconFile() {
    std::vector<platform::IconImage> images;
    for (int32_t size : kWindowIconSizes) {
        images.push_back({WindowIconImage(size), 0, 0, 32});
    }
    return platform::ValueOrThrow(platform::EncodeIconFile(images, false, 64));
}

std::vector<uint8_t> WindowIconSvg() {
    const int32_t size = kWindowIconSizes[std::size(kWindowIconSizes) - 1];
    const std::string svg = RoundBoxesSvg(size, WindowIconBoxes(size));
    return {svg.begin(), svg.end()};
}

}  // namespace artwork
