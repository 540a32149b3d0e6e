#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/image/image.h"

namespace platform {
namespace {

// A smooth picture: red across, green down, blue along the diagonal.
Image Gradient(int32_t width, int32_t height) {
    Image image{width, height, {}};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t r = static_cast<uint32_t>(x * 255 / std::max(1, width - 1));
            const uint32_t g = static_cast<uint32_t>(y * 255 / std::max(1, height - 1));
            const uint32_t b = (r + g) / 2;
            image.pixels.push_back(0xFF000000 | b << 16 | g << 8 | r);
        }
    }
    return image;
}

int LargestChannelError(const Image& a, const Image& b) {
    int worst = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = static_cast<int>(a.pixels[i] >> shift & 0xFF) -
                          static_cast<int>(b.pixels[i] >> shift & 0xFF);
            worst = std::max(worst, std::abs(d));
        }
    }
    return worst;
}

struct Frame {
    uint8_t marker = 0;  // the SOFn marker's second byte
    int width = 0, height = 0;
    std::vector<std::pair<int, int>> sampling;  // horizontal, vertical per component
};

// The frame header of a JPEG file, read by walking its marker segments up to the scan.
Frame ReadFrame(const std::vector<uint8_t>& file) {
    Frame frame;
    size_t at = 2;
    while (at + 4 <= file.size() && file[at] == 0xFF) {
        const uint8_t marker = file[at + 1];
        const size_t length = static_cast<size_t>(file[at + 2] << 8 | file[at + 3]);
        if (marker >= 0xC0 && marker <= 0xC3) {
            frame.marker = marker;
            frame.height = file[at + 5] << 8 | file[at + 6];
            frame.width = file[at + 7] << 8 | file[at + 8];
            for (int c = 0; c < file[at + 9]; ++c) {
                const uint8_t factors = file[at + 11 + 3 * static_cast<size_t>(c)];
                frame.sampling.emplace_back(factors >> 4, factors & 0x0F);
            }
        }
        if (marker == 0xDA) break;
        at += 2 + length;
    }
    return frame;
}

TEST(EncodeJpeg, RoundTripsThroughTheDecoderWithinTheLossOfItsQuality) {
    struct Case {
        int32_t width, height;
        int quality;
        int tolerance;  // largest channel error allowed after decoding
    };
    const Case cases[] = {
        {1, 1, 90, 3},    {112, 1, 95, 3}, {17, 9, 95, 4},
        {64, 48, 100, 3}, {64, 48, 75, 8}, {544, 396, 90, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " q" << c.quality);
        const Image original = Gradient(c.width, c.height);
        const std::vector<uint8_t> file = EncodeJpeg(original, c.quality).Value();
        ASSERT_EQ(SniffImageFormat(file), ImageFormat::Jpeg);
        ASSERT_GE(file.size(), 4u);
        EXPECT_EQ(file[file.size() - 2], 0xFF);
        EXPECT_EQ(file[file.size() - 1], 0xD9);
        const Image decoded = DecodeJpeg(file).Value();
        ASSERT_EQ(decoded.width, c.width);
        ASSERT_EQ(decoded.height, c.height);
        for (uint32_t pixel : decoded.pixels)
            ASSERT_EQ(pixel >> 24, 0xFFu);
        EXPECT_LE(LargestChannelError(original, decoded), c.tolerance);
    }
}

TEST(EncodeJpeg, WritesABaselineFrameWithFullResolutionColour) {
    const std::vector<uint8_t> file = EncodeJpeg(Gradient(33, 17), 90).Value();
    const Frame frame = ReadFrame(file);
    EXPECT_TRUE(frame.marker == 0xC0 || frame.marker == 0xC1) << std::hex << +frame.marker;
    EXPECT_EQ(frame.width, 33);
    EXPECT_EQ(frame.height, 17);
    const std::vector<std::pair<int, int>> full(3, {1, 1});
    EXPECT_EQ(frame.sampling, full);
}

TEST(EncodeJpeg, IgnoresAlphaAndGivesTheSameBytesEveryTime) {
    Image opaque = Gradient(40, 30);
    Image translucent = opaque;
    for (uint32_t& pixel : translucent.pixels)
        pixel &= 0x00FFFFFF;
    const std::vector<uint8_t> first = EncodeJpeg(opaque, 85).Value();
    EXPECT_EQ(EncodeJpeg(opaque, 85).Value(), first);
    EXPECT_EQ(EncodeJpeg(translucent, 85).Value(), first);
    EXPECT_LT(EncodeJpeg(opaque, 30).Value().size(), first.size());
}

TEST(EncodeJpeg, RejectsInconsistentImagesAndQualities) {
    const Image good = Gradient(8, 8);
    Image shortPixels = good;
    shortPixels.pixels.pop_back();
    const Image empty{0, 0, {}};
    const Image tooWide{kMaxImageSide + 1, 1, std::vector<uint32_t>(kMaxImageSide + 1)};
    EXPECT_TRUE(EncodeJpeg(shortPixels, 90).IsError());
    EXPECT_TRUE(EncodeJpeg(empty, 90).IsError());
    EXPECT_TRUE(EncodeJpeg(tooWide, 90).IsError());
    EXPECT_TRUE(EncodeJpeg(good, 0).IsError());
    EXPECT_TRUE(EncodeJpeg(good, 101).IsError());
    EXPECT_FALSE(EncodeJpeg(good, 1).IsError());
    EXPECT_FALSE(EncodeJpeg(good, 100).IsError());
}

}  // namespace
}  // namespace platform
