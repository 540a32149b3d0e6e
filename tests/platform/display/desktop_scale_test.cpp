#include "platform/display/desktop_scale.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DesktopScale, GdkScaleFirstThenXftDpiRoundedDown) {
    struct Case {
        const char* gdkScale;
        const char* resources;
        int32_t scale;
    };
    const Case cases[] = {
        {"", "", 1},
        {"", "Xft.dpi:\t96\n", 1},
        {"", "Xft.dpi:\t144\n", 1},
        {"", "Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 2},
        {"", "Xft.dpi:\t240", 2},
        {"", "Xft.dpi: 288.0\n", 3},
        {"", "Xft.dpi:\t480\n", 4},  // at most 4
        {"", "Xft.dpi:\t72\n", 1},   // at least 1
        {"", "Xft.dpi:\tlarge\n", 1},
        {"", "Xft.dpiX:\t192\n*dpi:\t192\n", 1},
        {"3", "Xft.dpi:\t192\n", 3},
        {"1", "Xft.dpi:\t192\n", 1},
        // Not a whole number from 1 to 4: the resources decide.
        {"0", "Xft.dpi:\t192\n", 2},
        {"5", "Xft.dpi:\t192\n", 2},
        {"1.5", "Xft.dpi:\t192\n", 2},
        {"two", "", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopScale(c.gdkScale, c.resources), c.scale)
            << "'" << c.gdkScale << "' '" << c.resources << "'";
    }
}

TEST(DesktopScale, LogicalCoordinatesRoundDownAndCoversGrowOutward) {
    EXPECT_EQ(ToLogical(5, 2), 2);
    EXPECT_EQ(ToLogical(-1, 2), -1);
    EXPECT_EQ(ToLogical(-2, 2), -1);
    EXPECT_EQ(ToLogical(-3, 2), -2);
    EXPECT_EQ(ToLogical(8, 3), 2);
    EXPECT_EQ(LogicalCover({3, 4, 7, 9}, 2), (Rect{1, 2, 4, 5}));
    EXPECT_EQ(LogicalCover({0, 0, 6, 6}, 3), (Rect{0, 0, 2, 2}));
}

TEST(DesktopScale, EachPixelBecomesABlockClippedToTheTarget) {
    Surface from(3, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            from.SetPixel(x, y, static_cast<Color>(10 * y + x + 1));
    Surface to(5, 4, 0xABCDEF);
    CopyScaled(from, {1, 0, 3, 2}, 2, to);
    // Columns 2..5 and rows 0..3 of the doubled area; column 5 lies off the target.
    const std::vector<Color> expected = {
        0xABCDEF, 0xABCDEF, 2,  2,  3,   //
        0xABCDEF, 0xABCDEF, 2,  2,  3,   //
        0xABCDEF, 0xABCDEF, 12, 12, 13,  //
        0xABCDEF, 0xABCDEF, 12, 12, 13,
    };
    EXPECT_EQ(to.Pixels(), expected);
}

}  // namespace
}  // namespace platform
