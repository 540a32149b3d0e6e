#include "platform/gfx/draw_image.h"

#include <gtest/gtest.h>

#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Changed;

TEST(DrawImage, AlphaLeavesCopiesOrBlends) {
    struct Case {
        uint32_t pixel;
        Color under;
        Color expected;
    };
    const Case cases[] = {
        {0x00FFFFFF, 0x102030, 0x102030},  // transparent, whatever its colour
        {0xFF0A0B0C, 0x102030, 0x0A0B0C},  // opaque
        {0x80FF6400, 0x000000, 0x803200},  // 255*128/255 = 128, 100*128/255 = 50.2 -> 50
        {0x640000C8, 0x000000, 0x00004E},  // 200*100/255 = 78.4 -> 78
        {0x64000000, 0x0000C8, 0x00007A},  // 200*155/255 = 121.57 -> 122, not truncated
        {0x01FFFFFF, 0x000000, 0x010101},  // 255/255 = 1
        {0xFE000000, 0xFFFFFF, 0x010101},  // 255*1/255 = 1
    };
    for (const Case& c : cases) {
        Surface s(1, 1, c.under);
        Image image{1, 1, {c.pixel}};
        DrawImage(s, {0, 0}, image);
        EXPECT_EQ(s.Pixel(0, 0), c.expected) << std::hex << c.pixel;
    }
}

TEST(DrawImage, InvertingPixelsXorTheirColourIntoTheSurface) {
    Surface s(4, 1, 0x102030);
    s.SetPixel(3, 0, 0xFFFFFF);
    const Image image{4, 1, {0, 0xFF0A0B0C, 0, 0}, {0xFFFFFF, 0, 0x0000FF, 0xFFFFFF}};
    DrawImage(s, {0, 0}, image);
    EXPECT_EQ(s.Pixel(0, 0), 0xEFDFCFu);
    EXPECT_EQ(s.Pixel(1, 0), 0x0A0B0Cu);
    EXPECT_EQ(s.Pixel(2, 0), 0x1020CFu);
    EXPECT_EQ(s.Pixel(3, 0), 0x000000u);
    // A plane that does not match the size draws nothing.
    Surface plain(2, 1, 0x111111);
    DrawImage(plain, {0, 0}, Image{2, 1, {0xFF000001, 0xFF000001}, {0xFFFFFF}});
    EXPECT_TRUE(Changed(plain, 0x111111).empty());
}

TEST(DrawImage, DrawsAtItsPointInItsOwnSizeClipped) {
    constexpr Color kBack = 0x111111;
    const Image image{
        3, 2, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0x00000005, 0xFF000006}};
    Surface s(4, 3, kBack);
    s.SetClip(Region::FromRect({0, 0, 4, 3}).Difference(Region::FromRect({3, 2, 4, 3})));
    DrawImage(s, {1, 1}, image);
    EXPECT_EQ(s.Pixel(1, 1), 1u);
    EXPECT_EQ(s.Pixel(2, 1), 2u);
    EXPECT_EQ(s.Pixel(3, 1), 3u);
    EXPECT_EQ(s.Pixel(1, 2), 4u);
    EXPECT_EQ(Changed(s, kBack).size(), 4u);

    Surface corner(2, 2, kBack);
    DrawImage(corner, {-2, -1}, image);
    EXPECT_EQ(corner.Pixel(0, 0), 6u);
    EXPECT_EQ(Changed(corner, kBack).size(), 1u);
}

TEST(DrawImage, ImageWithTooFewPixelsDrawsNothing) {
    Surface s(3, 3, 0x111111);
    DrawImage(s, {0, 0}, Image{2, 2, {0xFF000001, 0xFF000001, 0xFF000001}});
    EXPECT_TRUE(Changed(s, 0x111111).empty());
}

}  // namespace
}  // namespace platform
