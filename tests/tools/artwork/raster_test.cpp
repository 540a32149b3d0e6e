#include "tools/artwork/raster.h"

#include <gtest/gtest.h>

#include "tests/support/pixels.h"

namespace artwork {
namespace {

using testsupport::PixelAt;

TEST(Raster, BlendPixelCompositesSourceOver) {
    struct Case {
        uint32_t before, colour;
        double opacity;
        uint32_t after;
    };
    const Case cases[] = {
        {0x00000000, 0x3366CC, 1.0, 0xFF3366CC},   // opaque paint on nothing
        {0x00000000, 0x3366CC, 0.5, 0x803366CC},   // colour kept, alpha 127.5 rounds up
        {0xFFFFFFFF, 0x000000, 0.25, 0xFFBFBFBF},  // 255 x 0.75 = 191.25
        {0x80FF0000, 0x0000FF, 0.5, 0xC05500AA},   // alpha 0.5 + 0.25; red 2 : blue 1
        {0xFF123456, 0xFFFFFF, 0.0, 0xFF123456},   // nothing painted
        {0xFF123456, 0x000000, 2.0, 0xFF000000},   // opacity above 1 is full
    };
    for (const Case& c : cases) {
        platform::Image image{1, 1, {c.before}};
        BlendPixel(image, 0, 0, c.colour, c.opacity);
        EXPECT_EQ(image.pixels[0], c.after) << std::hex << c.before << " " << c.colour;
    }
    platform::Image image{1, 1, {0}};
    BlendPixel(image, 1, 0, 0xFFFFFF, 1);
    BlendPixel(image, 0, -1, 0xFFFFFF, 1);
    EXPECT_EQ(image.pixels[0], 0u);
}

TEST(Raster, FillRoundBoxKeepsStraightEdgesSharpAndSoftensCorners) {
    platform::Image plain = BlankImage(5, 5);
    FillRoundBox(plain, {1, 1, 3, 4}, 0, 0x0000FF, 0x0000FF);
    for (int32_t y = 0; y < 5; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 1 && y < 4;
            EXPECT_EQ(PixelAt(plain, x, y), inside ? 0xFF0000FFu : 0u) << x << "," << y;
        }
    }

    platform::Image round = BlankImage(8, 8);
    FillRoundBox(round, {0, 0, 8, 8}, 3, 0x000000, 0xFFFFFF);
    const uint32_t corner = PixelAt(round, 0, 0) >> 24;
    EXPECT_LT(corner, 0x80u);
    for (auto [x, y] : {std::pair{7, 0}, std::pair{0, 7}, std::pair{7, 7}})
        EXPECT_EQ(PixelAt(round, x, y) >> 24, corner) << x << "," << y;
    EXPECT_GT(PixelAt(round, 1, 1) >> 24, corner);
    EXPECT_EQ(PixelAt(round, 4, 0), 0xFF000000u);  // top row: the top colour, edge sharp
    EXPECT_EQ(PixelAt(round, 4, 7), 0xFFFFFFFFu);  // bottom row: the bottom colour
    EXPECT_EQ(PixelAt(round, 0, 4) >> 24, 0xFFu);
}

TEST(Raster, MixColourBlendsEachChannel) {
    EXPECT_EQ(MixColour(0x000000, 0xFFFFFF, 0), 0x000000u);
    EXPECT_EQ(MixColour(0x000000, 0xFFFFFF, 1), 0xFFFFFFu);
    EXPECT_EQ(MixColour(0x102030, 0x30A010, 0.5), 0x206020u);
}

}  // namespace
}  // namespace artwork
