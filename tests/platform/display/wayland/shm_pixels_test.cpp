#include "platform/display/wayland/shm_pixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace platform {
namespace {

uint32_t At(const std::vector<uint8_t>& bytes, int32_t pitch, int32_t x, int32_t y) {
    uint32_t v;
    std::memcpy(&v, bytes.data() + y * pitch + x * 4, 4);
    return v;
}

// Framebuffer colours are 0x00BBGGRR; a format with red lowest keeps them, one with blue lowest
// exchanges red and blue; alpha, where the format has it, is the top byte.
TEST(ShmPixels, PremultipliesEachChannelByTheOpacityInEitherChannelOrder) {
    Surface framebuffer(2, 1);
    framebuffer.SetPixel(0, 0, 0x00FF8001);  // blue 255, green 128, red 1
    framebuffer.SetPixel(1, 0, 0x00FFFFFF);
    struct Case {
        ShmChannelOrder order;
        uint8_t opacity;
        uint32_t first, second;
    };
    // round(255 x 128 / 255) = 128, round(128 x 128 / 255) = 64, round(1 x 128 / 255) = 1;
    // at opacity 1, round(128 / 255) = 1 and round(1 / 255) = 0.
    const Case cases[] = {
        {ShmChannelOrder::RedLowest, 128, 0x80804001, 0x80808080},
        {ShmChannelOrder::BlueLowest, 128, 0x80014080, 0x80808080},
        {ShmChannelOrder::RedLowest, 255, 0xFFFF8001, 0xFFFFFFFF},
        {ShmChannelOrder::BlueLowest, 0, 0x00000000, 0x00000000},
        {ShmChannelOrder::RedLowest, 1, 0x01010100, 0x01010101},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.opacity));
        std::vector<uint8_t> pixels(8, 0xA5);
        CopyPremultiplied(framebuffer, {0, 0, 2, 1}, c.order, c.opacity, pixels.data(), 8);
        EXPECT_EQ(At(pixels, 8, 0, 0), c.first);
        EXPECT_EQ(At(pixels, 8, 1, 0), c.second);
    }
}

TEST(ShmPixels, OpaqueCopyTakesTheDevicePixelsAndLeavesTheRestOfTheRow) {
    for (const int32_t scale : {1, 2, 3}) {
        Surface framebuffer(3, 2, 0, {DeviceScale::Whole(scale), {}});
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < 3; ++x)
                framebuffer.SetPixel(x, y, 0x00102030u + static_cast<uint32_t>(10 * y + x));
        for (const ShmChannelOrder order :
             {ShmChannelOrder::RedLowest, ShmChannelOrder::BlueLowest}) {
            SCOPED_TRACE(scale);
            // The area (1,0)-(3,2) lands at the origin of rows one pixel wider than it.
            const int32_t pitch = (2 * scale + 1) * 4;
            std::vector<uint8_t> pixels(static_cast<size_t>(pitch) * 2 * scale, 0xA5);
            CopyOpaque(framebuffer, {scale, 0, 3 * scale, 2 * scale}, order, pixels.data(), pitch);
            for (int32_t y = 0; y < 2 * scale; ++y) {
                for (int32_t x = 0; x < 2 * scale; ++x) {
                    const uint32_t c = framebuffer.Pixel(1 + x / scale, y / scale);
                    const uint32_t expected =
                        order == ShmChannelOrder::RedLowest
                            ? c
                            : ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
                    EXPECT_EQ(At(pixels, pitch, x, y) & 0x00FFFFFF, expected) << x << "," << y;
                }
                EXPECT_EQ(At(pixels, pitch, 2 * scale, y), 0xA5A5A5A5u);
            }
        }
    }
}

}  // namespace
}  // namespace platform
