#include "platform/gfx/dib24.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Changed;

constexpr Color kBack = 0x5A5A5A;

// Pixel (x, y) gets red x + 1, green y + 1, blue 0xC0 + x + y: no two pixels alike.
Surface Numbered(int32_t width, int32_t height) {
    Surface s(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            s.SetPixel(x, y, Rgb(x + 1, y + 1, 0xC0 + x + y));
    }
    return s;
}

TEST(Dib24, RowsAreBottomUpBlueGreenRedAndPaddedToFourBytes) {
    const Surface s = Numbered(3, 2);
    EXPECT_EQ(ReadDib24(s, {0, 0, 3, 2}), (std::vector<uint8_t>{
                                              0xC1, 2, 1, 0xC2, 2, 2, 0xC3, 2, 3, 0, 0, 0,  //
                                              0xC0, 1, 1, 0xC1, 1, 2, 0xC2, 1, 3, 0, 0, 0,  //
                                          }));
    EXPECT_EQ(ReadDib24(s, {1, 0, 2, 2}), (std::vector<uint8_t>{0xC2, 2, 2, 0, 0xC1, 1, 2, 0}));
}

TEST(Dib24, EveryWidthKeepsItsRowsAligned) {
    struct Case {
        int32_t width;
        size_t stride;
    };
    for (const Case& c : {Case{1, 4}, Case{2, 8}, Case{3, 12}, Case{5, 16}, Case{4, 12}}) {
        constexpr int32_t kHeight = 3;
        const Surface s = Numbered(c.width, kHeight);
        const std::vector<uint8_t> bits = ReadDib24(s, {0, 0, c.width, kHeight});
        EXPECT_EQ(Dib24Stride(c.width), c.stride);
        ASSERT_EQ(bits.size(), c.stride * kHeight) << c.width;
        for (int32_t row = 0; row < kHeight; ++row) {
            const int32_t y = kHeight - 1 - row;
            const uint8_t* line = bits.data() + static_cast<size_t>(row) * c.stride;
            for (int32_t x = 0; x < c.width; ++x) {
                EXPECT_EQ(line[3 * x], 0xC0 + x + y) << c.width << ": " << x << "," << y;
                EXPECT_EQ(line[3 * x + 1], y + 1);
                EXPECT_EQ(line[3 * x + 2], x + 1);
            }
            for (size_t pad = 3 * static_cast<size_t>(c.width); pad < c.stride; ++pad)
                EXPECT_EQ(line[pad], 0) << c.width;
        }

        Surface copy(c.width, kHeight, kBack);
        WriteDib24(copy, {0, 0}, c.width, kHeight, bits);
        EXPECT_EQ(copy.Pixels(), s.Pixels()) << c.width;
    }
}

TEST(Dib24, PixelsOffTheSurfaceReadAsZero) {
    const Surface s = Numbered(2, 2);
    EXPECT_EQ(ReadDib24(s, {1, -1, 3, 1}), (std::vector<uint8_t>{
                                               0xC1, 1, 2, 0, 0, 0, 0, 0,  // y = 0
                                               0, 0, 0, 0, 0, 0, 0, 0,     // y = -1
                                           }));
    EXPECT_TRUE(ReadDib24(s, {1, 1, 1, 3}).empty());
    EXPECT_EQ(ReadDib24(s, {5, 5, 7, 6}), std::vector<uint8_t>(8, 0));
}

TEST(Dib24, WriteClipsWithoutMovingPixels) {
    const Surface source = Numbered(4, 3);
    const std::vector<uint8_t> bits = ReadDib24(source, {0, 0, 4, 3});
    Surface s(3, 3, kBack);
    s.SetClip(Region::FromRect({0, 0, 3, 3}).Difference(Region::FromRect({0, 1, 1, 2})));
    WriteDib24(s, {-1, 1}, 4, 3, bits);
    EXPECT_EQ(s.Pixel(0, 0), kBack);
    EXPECT_EQ(s.Pixel(0, 1), kBack);
    EXPECT_EQ(s.Pixel(1, 1), source.Pixel(2, 0));
    EXPECT_EQ(s.Pixel(2, 1), source.Pixel(3, 0));
    EXPECT_EQ(s.Pixel(0, 2), source.Pixel(1, 1));
    EXPECT_EQ(s.Pixel(2, 2), source.Pixel(3, 1));
    EXPECT_EQ(Changed(s, kBack).size(), 5u);
}

TEST(Dib24, ShortBufferWritesNothing) {
    const Surface source = Numbered(3, 2);
    std::vector<uint8_t> bits = ReadDib24(source, {0, 0, 3, 2});
    bits.pop_back();
    Surface s(3, 2, kBack);
    WriteDib24(s, {0, 0}, 3, 2, bits);
    WriteDib24(s, {0, 0}, 0, 2, bits);
    WriteDib24(s, {0, 0}, 3, -2, bits);
    EXPECT_TRUE(Changed(s, kBack).empty());

    bits.push_back(0);
    bits.push_back(0xEE);
    WriteDib24(s, {0, 0}, 3, 2, bits);
    EXPECT_EQ(s.Pixels(), source.Pixels());
}

}  // namespace
}  // namespace platform
