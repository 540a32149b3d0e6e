#include "platform/gfx/contrast.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace platform {
namespace {

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

TEST(Contrast, LuminanceWeighsTheLinearChannelsInTheirOrder) {
    EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(kWhite), 1.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(255, 0, 0)), 0.2126);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(0, 255, 0)), 0.7152);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(0, 0, 255)), 0.0722);
    // 10 / 255 lies below the 0.03928 threshold, 11 / 255 above it.
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(10, 10, 10)), 10 / 255.0 / 12.92);
    EXPECT_NEAR(RelativeLuminance(Rgb(11, 11, 11)), 0.0033465, 1e-7);
}

TEST(Contrast, RatiosOfKnownPairs) {
    struct Case {
        Color a, b;
        double ratio;
    };
    const Case cases[] = {
        {kBlack, kWhite, 21.0},          {0x777777, kWhite, 4.4781},
        {0x777777, kBlack, 4.6895},      {0x123456, 0x123456, 1.0},
        {Rgb(255, 0, 0), kBlack, 5.252}, {Rgb(0, 0, 255), kWhite, 8.5925},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a);
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 1e-4);
        EXPECT_DOUBLE_EQ(ContrastRatio(c.a, c.b), ContrastRatio(c.b, c.a));
    }
}

// Greys 0x75 and 0x76 lie on either side of the point where black and white contrast equally.
TEST(Contrast, BlackOrWhiteTakesTheStrongerAndNeverFallsBelowItsBound) {
    EXPECT_EQ(BlackOrWhiteAgainst(kWhite), kBlack);
    EXPECT_EQ(BlackOrWhiteAgainst(kBlack), kWhite);
    EXPECT_EQ(BlackOrWhiteAgainst(0x757575), kWhite);
    EXPECT_EQ(BlackOrWhiteAgainst(0x767676), kBlack);
    EXPECT_EQ(BlackOrWhiteAgainst(Rgb(0, 0, 255)), kWhite);
    EXPECT_EQ(BlackOrWhiteAgainst(Rgb(0, 255, 0)), kBlack);
    double least = 21;
    for (uint32_t r = 0; r < 256; r += 5) {
        for (uint32_t g = 0; g < 256; g += 5) {
            for (uint32_t b = 0; b < 256; b += 5) {
                const Color c = Rgb(r, g, b);
                least = std::min(least, ContrastRatio(BlackOrWhiteAgainst(c), c));
            }
        }
    }
    EXPECT_GE(least, 4.58);
}

}  // namespace
}  // namespace platform
