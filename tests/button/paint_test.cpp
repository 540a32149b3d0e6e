#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "button/paint.h"
#include "button/palette.h"
#include "platform/gfx/surface.h"
#include "tests/support/pixels.h"

namespace button {
namespace {

constexpr Color kSentinel = 0x123456;

using testsupport::Grey;
using testsupport::Picture;

const std::map<Color, char> kBevelNames = {
    {kSentinel, '.'}, {0x0000FF, '1'}, {0x00FF00, '2'}, {0xFF0000, '3'}, {0xFFFF00, '4'}};

struct BevelCase {
    const char* name;
    int32_t size;
    int16_t inset;
    bool single;
    std::vector<std::string> expected;
};

TEST(PaintBevel, ChainedEdgesOwnTheirCorners) {
    const BevelCase cases[] = {
        {"inset 0, double", 4, 0, false, {"1112", "1342", "1442", "2222"}},
        {"inset 0, single", 4, 0, true, {"1112", "1..2", "1..2", "2222"}},
        {"inset -1, double",
         6,
         -1,
         false,
         {"......", ".1112.", ".1342.", ".1442.", ".2222.", "......"}},
        {"inset -1, single",
         6,
         -1,
         true,
         {"......", ".1112.", ".1..2.", ".1..2.", ".2222.", "......"}},
        {"inset 0, double, 6 x 5", 6, 0, false, {"111112", "133342", "13..42", "144442", "222222"}},
    };
    for (const BevelCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t height = static_cast<int32_t>(c.expected.size());
        platform::Surface surface(c.size, height, kSentinel);
        PaintBevelOn(surface, c.size, height, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00,
                     static_cast<BevelPlace>(c.inset),
                     c.single ? BevelFrames::Single : BevelFrames::Double);
        EXPECT_EQ(Picture(surface, kBevelNames), c.expected);
    }
}

TEST(PaintBevel, LeavesTheCurrentPositionWhereTheChainEnds) {
    platform::Surface surface(6, 6, kSentinel);
    PaintBevelOn(surface, 6, 6, 1, 2, 3, 4, BevelPlace::OneIn, BevelFrames::Single);
    EXPECT_EQ(surface.position, (platform::Point{2, 3}));
    PaintBevelOn(surface, 6, 6, 1, 2, 3, 4, BevelPlace::OneIn, BevelFrames::Double);
    EXPECT_EQ(surface.position, (platform::Point{1, 3}));
}

TEST(PaintCorners, PaintsTheFourPixelsOneInFromEachCorner) {
    platform::Surface surface(6, 5, kSentinel);
    PaintCornersOn(surface, 6, 5, 0x0000FF);
    EXPECT_EQ(Picture(surface, kBevelNames),
              (std::vector<std::string>{"......", ".1..1.", "......", ".1..1.", "......"}));
}

// Every pixel of each row is one colour; returns the row colours, top to bottom.
std::vector<Color> RowColours(const platform::Surface& surface) {
    std::vector<Color> rows;
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 1; x < surface.Width(); ++x) {
            EXPECT_EQ(surface.Pixel(x, y), surface.Pixel(0, y)) << "row " << y << " column " << x;
        }
        rows.push_back(surface.Pixel(0, y));
    }
    return rows;
}

TEST(PaintGradient, GlossyFaceOfAKeyFromWhite) {
    // The up look of a 60 x 30 key: Gradient(Highlight, 58 / h, off, downward).
    const float k = 58.0f / 30.0f;
    platform::Surface surface(60, 30, kSentinel);
    PaintGradientOn(surface, 60, 30, 0xFFFFFF, k, Shift::Even, false, Direction::Downward);
    const std::vector<Color> rows = RowColours(surface);
    EXPECT_EQ(rows[0], kSentinel);
    EXPECT_EQ(rows[1], Grey(253));
    EXPECT_EQ(rows[15], Grey(226));
    EXPECT_EQ(rows[29], Grey(199));

    platform::Surface soft(60, 30, kSentinel);
    PaintGradientOn(soft, 60, 30, 0xFFFFFF, k, Shift::Even, true, Direction::Downward);
    EXPECT_EQ(RowColours(soft)[29], Grey(227));
}

TEST(PaintGradient, GlossyFaceOfTheEqualsKey) {
    PaletteSource source;
    source.colorScheme = ColorScheme::Own;
    source.backColor = 0x0000FF;
    const Color highlight = DerivePalette(source).Highlight;
    platform::Surface surface(49, 30, kSentinel);
    PaintGradientOn(surface, 49, 30, highlight, 58.0f / 30.0f, Shift::Even, false,
                    Direction::Downward);
    const std::vector<Color> rows = RowColours(surface);
    EXPECT_EQ(rows[1], 0x2D2DFDu);
    EXPECT_EQ(rows[15], 0x1212E2u);
    EXPECT_EQ(rows[29], 0x0000C7u);
}

TEST(PaintGradient, UpwardStartsAtTheBottomAndReachesTheTopRow) {
    platform::Surface surface(10, 30, kSentinel);
    PaintGradientOn(surface, 10, 30, 0xFFFFFF, 58.0f / 30.0f, Shift::Even, false,
                    Direction::Upward);
    const std::vector<Color> rows = RowColours(surface);
    EXPECT_EQ(rows[29], Grey(253));  // i = 1
    EXPECT_EQ(rows[15], Grey(226));  // i = 15: -29
    EXPECT_EQ(rows[0], Grey(197));   // i = 30: -58
}

TEST(PaintGradient, HalvesRoundToEven) {
    // k = 0.5: amounts -0.5, -1, -1.5, -2, -2.5, -3 become 0, -1, -2, -2, -2, -3.
    platform::Surface surface(3, 7, kSentinel);
    PaintGradientOn(surface, 3, 7, Grey(200), 0.5f, Shift::Even, false, Direction::Downward);
    EXPECT_EQ(RowColours(surface), (std::vector<Color>{kSentinel, Grey(200), Grey(199), Grey(198),
                                                       Grey(198), Grey(198), Grey(197)}));
}

TEST(PaintGradient, ProportionalShiftsBlueByItsShare) {
    // Red 192, green 192, blue 96, k = 1 on 25 rows: row 24 shifts by -24, blue by
    // 96 × -24 / 192 = -12.
    platform::Surface surface(4, 25, kSentinel);
    PaintGradientOn(surface, 4, 25, 0x60C0C0, 1.0f, Shift::BlueInProportion, false,
                    Direction::Downward);
    const std::vector<Color> rows = RowColours(surface);
    EXPECT_EQ(rows[24], 0x54A8A8u);
    EXPECT_EQ(rows[1], 0x60BFBFu);  // blue 96 - 96 / 192 truncates to 96
}

struct FocusCase {
    const char* name;
    bool showFocusRect;
    bool hasFocus;
};

TEST(PaintFocusRect, DrawsOnlyWhenShownAndFocused) {
    const platform::Rect content{1, 1, 5, 4};
    const FocusCase idle[] = {
        {"no focus", true, false}, {"focus rect off", false, true}, {"neither", false, false}};
    for (const FocusCase& c : idle) {
        SCOPED_TRACE(c.name);
        platform::Surface surface(6, 5, Grey(128));
        PaintFocusRectOn(surface, content, 0x0000FF, c.showFocusRect, c.hasFocus);
        EXPECT_EQ(surface.Pixels(), platform::Surface(6, 5, Grey(128)).Pixels());
        EXPECT_EQ(surface.textColor, 0x000000u);
    }

    platform::Surface surface(6, 5, Grey(128));
    PaintFocusRectOn(surface, content, 0x0000FF, true, true);
    EXPECT_EQ(surface.textColor, 0x0000FFu);
    // Odd pixels XOR with the white background, even ones with the text colour (red).
    const Color odd = Grey(128) ^ 0xFFFFFF;
    const Color even = Grey(128) ^ 0x0000FF;
    for (int32_t y = 0; y < 5; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            const bool onFrame =
                x >= 1 && x <= 4 && y >= 1 && y <= 3 && (x == 1 || x == 4 || y == 1 || y == 3);
            const Color expected = !onFrame ? Grey(128) : ((x + y) % 2 != 0 ? odd : even);
            EXPECT_EQ(surface.Pixel(x, y), expected) << x << ", " << y;
        }
    }
}

}  // namespace
}  // namespace button
