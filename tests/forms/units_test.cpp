#include "forms/units.h"

#include <gtest/gtest.h>

namespace forms {
namespace {

struct Case {
    int32_t from;
    int32_t to;
};

TEST(UnitsTest, TwipsToPixelsRoundsHalfAwayFromZero) {
    for (const Case c : {Case{0, 0},
                         {15, 1},
                         {7, 0},
                         {8, 1},
                         {22, 1},
                         {23, 2},
                         {4680, 312},
                         {4860, 324},
                         {5985, 399},
                         {2775, 185},
                         {-7, 0},
                         {-8, -1},
                         {-23, -2}}) {
        EXPECT_EQ(TwipsToPixels(c.from), c.to) << c.from;
    }
}

TEST(UnitsTest, PixelsToTwipsIsFifteenPerPixel) {
    for (const Case c : {Case{0, 0}, {1, 15}, {312, 4680}, {-2, -30}}) {
        EXPECT_EQ(PixelsToTwips(c.from), c.to) << c.from;
    }
}

TEST(UnitsTest, HimetricConversionsUseMulDivRounding) {
    // 75 px is 1984.375 HIMETRIC; 1984 HIMETRIC is 74.98 px; 2540 HIMETRIC is one inch.
    for (const Case c :
         {Case{1984, 75}, {2540, 96}, {26, 1}, {13, 0}, {14, 1}, {847, 32}, {-1984, -75}, {0, 0}}) {
        EXPECT_EQ(HimetricToPixels(c.from), c.to) << c.from;
    }
    for (const Case c : {Case{75, 1984}, {96, 2540}, {8, 212}, {32, 847}, {1, 26}, {-75, -1984}}) {
        EXPECT_EQ(PixelsToHimetric(c.from), c.to) << c.from;
    }
}

TEST(UnitsTest, MulDivTiesGoAwayFromZero) {
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(3, 1, 4), 1);
    EXPECT_EQ(MulDiv(1, 1, 4), 0);
    EXPECT_EQ(MulDiv(1 << 30, 8, 16), 1 << 29);  // no overflow in the product
}

TEST(UnitsTest, TwipsRectConvertsEachField) {
    const platform::Rect r = TwipsRect(360, 240, 3975, 405);
    EXPECT_EQ(r, (platform::Rect{24, 16, 24 + 265, 16 + 27}));
}

}  // namespace
}  // namespace forms
