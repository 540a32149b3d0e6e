#include <gtest/gtest.h>

#include "platform/image/image.h"

namespace platform {
namespace {

TEST(EncodeBmp24, WritesHeaderAndBottomUpPaddedRows) {
    // 2 x 2: top row red, green; bottom row blue, white with alpha 0 (dropped).
    Image image{2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0x00FFFFFF}};
    const std::vector<uint8_t> want = {
        'B',  'M', 70,   0,    0,    0,    0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40,   0,   0,    0,    2,    0,    0, 0, 2, 0, 0,  0, 1, 0,
        24,   0,   0,    0,    0,    0,  // info header
        16,   0,   0,    0,    0,    0,    0, 0, 0, 0, 0,  0, 0, 0,
        0,    0,   0,    0,    0,    0,           //
        0xFF, 0,   0,    0xFF, 0xFF, 0xFF, 0, 0,  // bottom row
        0,    0,   0xFF, 0,    0xFF, 0,    0, 0,  // top row
    };
    EXPECT_EQ(EncodeBmp24(image).Value(), want);
}

TEST(EncodeBmp24, RoundTripsThroughTheDecoderAtEveryPadding) {
    for (int32_t width : {1, 2, 3, 4, 5}) {
        Image image{width, 3, {}};
        for (int32_t i = 0; i < width * 3; ++i)
            image.pixels.push_back(0xFF000000 | i * 0x0A0B0C);
        std::vector<uint8_t> file = EncodeBmp24(image).Value();
        const size_t stride = (width * 3 + 3) / 4 * 4;
        EXPECT_EQ(file.size(), 54 + 3 * stride) << width;
        EXPECT_EQ(DecodeBmp(file).Value(), image) << width;
    }
}

TEST(EncodeBmp24, RejectsASizeThatDoesNotMatchThePixels) {
    EXPECT_TRUE(EncodeBmp24(Image{}).IsError());
    EXPECT_TRUE(EncodeBmp24(Image{1, 2, {0}}).IsError());
}

}  // namespace
}  // namespace platform
