#include "platform/display/wayland/title_bar.h"

#include <gtest/gtest.h>

#include "platform/objects/system_colors.h"

namespace platform {
namespace {

constexpr int32_t kWidth = 120;

Surface Drawn(std::string_view title, const TitleBarLook& look) {
    Surface bar(kWidth, kTitleBarHeight, 0x123456);
    DrawTitleBar(bar, title, look);
    return bar;
}

TEST(TitleBar, CloseBoxIsTheLastSquareOfTheBar) {
    EXPECT_EQ(CloseBoxRect(kWidth), (Rect{96, 0, 120, 24}));
    EXPECT_EQ(CloseBoxRect(10), (Rect{0, 0, 10, 24}));
}

TEST(TitleBar, PaintsBackgroundCloseBoxAndCrossInTheLooksColours) {
    struct Case {
        TitleBarLook look;
        Color background, box, ink;
        SystemColorTable table = SystemColorTable::Classic;
    };
    const Case cases[] = {
        {{true, false}, 0x3C3C3C, 0x3C3C3C, 0xFFFFFF},
        {{false, false}, 0x5A5A5A, 0x5A5A5A, 0xB4B4B4},
        {{true, true}, 0x3C3C3C, 0x2B2BC8, 0xFFFFFF},
        {{true, true}, 0x3C3C3C, 0x2B2BC8, 0xFFFFFF, SystemColorTable::Dark},
        // The desktop's caption colours while it forces its colours.
        {{true, false}, 0x000000, 0x000000, 0xFFFFFF, SystemColorTable::HighContrastDark},
        {{false, false}, 0xFFFFFF, 0xFFFFFF, Rgb(96, 0, 0), SystemColorTable::HighContrastLight},
        {{true, true}, 0x000000, Rgb(26, 235, 255), 0x000000, SystemColorTable::HighContrastDark},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.look.active << c.look.closeHot);
        UseSystemColors(c.table);
        const Surface bar = Drawn("", c.look);
        for (int32_t y = 0; y < kTitleBarHeight; ++y) {
            for (int32_t x = 0; x < kWidth; ++x) {
                const int32_t bx = x - 96;
                // The cross: both diagonals of the square (7,7)-(16,16) of the close box.
                const bool cross =
                    bx >= 7 && bx <= 16 && y >= 7 && y <= 16 && (bx == y || bx + y == 23);
                const Color expected = cross ? c.ink : bx >= 0 ? c.box : c.background;
                ASSERT_EQ(bar.Pixel(x, y), expected) << x << "," << y;
            }
        }
    }
    UseSystemColors(SystemColorTable::Classic);
}

TEST(TitleBar, DrawsTheTitleFromItsLeftMarginAndClipsItShortOfTheCloseBox) {
    const Surface bar = Drawn(std::string(40, 'W'), {true, false});
    int32_t firstInk = kWidth;
    int32_t lastInk = -1;
    for (int32_t y = 0; y < kTitleBarHeight; ++y) {
        for (int32_t x = 0; x < 96; ++x) {
            if (bar.Pixel(x, y) == 0x3C3C3C) continue;
            firstInk = std::min(firstInk, x);
            lastInk = std::max(lastInk, x);
        }
    }
    EXPECT_GE(firstInk, 8);
    EXPECT_LE(firstInk, 9);
    EXPECT_LE(lastInk, 91);
    EXPECT_GE(lastInk, 85);
}

}  // namespace
}  // namespace platform
