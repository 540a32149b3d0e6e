#include "platform/gfx/contrast.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace platform {
namespace {

TEST(Contrast, LuminanceAndRatiosOfKnownColours) {
    // Each channel in its place; 10 / 255 lies below the 0.03928 threshold, 11 / 255 above it.
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(255, 0, 0)), 0.2126);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(0, 255, 0)), 0.7152);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(0, 0, 255)), 0.0722);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(10, 10, 10)), 10 / 255.0 / 12.92);
    EXPECT_NEAR(RelativeLuminance(Rgb(11, 11, 11)), 0.0033465, 1e-7);
    const struct {
        Color a, b;
        double ratio;
    } cases[] = {{0x000000, 0xFFFFFF, 21},
                 {0x777777, 0xFFFFFF, 4.4781},
                 {0x777777, 0, 4.6895},
                 {0x123456, 0x123456, 1},
                 {Rgb(0, 0, 255), 0xFFFFFF, 8.5925}};
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 1e-4) << c.a;
        EXPECT_DOUBLE_EQ(ContrastRatio(c.b, c.a), ContrastRatio(c.a, c.b)) << c.a;
    }
}

// Greys 0x75 and 0x76 lie on either side of the luminance where black and white tie.
TEST(Contrast, BlackOrWhiteTakesTheStrongerAndNeverFallsBelowItsBound) {
    EXPECT_EQ(BlackOrWhiteAgainst(0x757575), 0xFFFFFFu);
    EXPECT_EQ(BlackOrWhiteAgainst(0x767676), 0x000000u);
    EXPECT_EQ(BlackOrWhiteAgainst(Rgb(0, 0, 255)), 0xFFFFFFu);
    EXPECT_EQ(BlackOrWhiteAgainst(Rgb(0, 255, 0)), 0x000000u);
    double least = 21;
    for (uint32_t c = 0; c <= 0xFFFFFF; c += 127)  // spread over every channel
        least = std::min(least, ContrastRatio(BlackOrWhiteAgainst(c), c));
    EXPECT_GE(least, 4.58);
}

}  // namespace
}  // namespace platform
