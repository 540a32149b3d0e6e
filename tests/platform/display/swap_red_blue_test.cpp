#include "platform/display/swap_red_blue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr uint32_t kUntouched = 0xA5A5A5A5;

uint32_t At(const std::vector<uint8_t>& bytes, int32_t pitch, int32_t x, int32_t y) {
    uint32_t v;
    std::memcpy(&v, bytes.data() + y * pitch + x * 4, 4);
    return v;
}

TEST(SwapRedBlue, CopiesTheAreaToTheImageOriginWithRedAndBlueExchanged) {
    Surface framebuffer(5, 4);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x)
            framebuffer.SetPixel(
                x, y, 0x00102030u + static_cast<uint32_t>(x) * 0x010000 + static_cast<uint32_t>(y));
    framebuffer.SetPixel(2, 2, 0x00FF0000);  // pure blue
    framebuffer.SetPixel(3, 2, 0x000000FF);  // pure red
    // The 3 x 2 area lands at the destination's origin; its rows are padded to 5 pixels.
    const int32_t pitch = 5 * 4;
    std::vector<uint8_t> image(static_cast<size_t>(pitch) * 3, 0xA5);

    CopySwappingRedBlue(framebuffer, {1, 1, 4, 3}, 1, image.data(), pitch);

    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            if (x >= 3 || y >= 2) {
                EXPECT_EQ(At(image, pitch, x, y), kUntouched) << x << "," << y;
                continue;
            }
            const int32_t fx = x + 1;
            const int32_t fy = y + 1;
            uint32_t expected =
                0x00302010u + static_cast<uint32_t>(fx) + static_cast<uint32_t>(fy) * 0x010000;
            if (fx == 2 && fy == 2) expected = 0x000000FF;
            if (fx == 3 && fy == 2) expected = 0x00FF0000;
            EXPECT_EQ(At(image, pitch, x, y), expected) << x << "," << y;
        }
    }
}

TEST(SwapRedBlue, ClearsTheTopByte) {
    Surface framebuffer(1, 1);
    framebuffer.SetPixel(0, 0, 0xFF123456);
    std::vector<uint8_t> screen(4, 0xA5);
    CopySwappingRedBlue(framebuffer, {0, 0, 1, 1}, 1, screen.data(), 4);
    EXPECT_EQ(At(screen, 4, 0, 0), 0x00563412u);
}

TEST(SwapRedBlue, FillsABlockPerPixelAtEachScale) {
    // Twice takes its own path; three times the general one.
    for (const int32_t scale : {2, 3}) {
        Surface framebuffer(3, 2);
        framebuffer.SetPixel(1, 0, 0x00112233);
        framebuffer.SetPixel(2, 0, 0x00445566);
        framebuffer.SetPixel(1, 1, 0x00778899);
        framebuffer.SetPixel(2, 1, 0x00AABBCC);
        // The 2 x 2 area lands as a (2 x scale) square; rows are one pixel wider than that.
        const int32_t pitch = (2 * scale + 1) * 4;
        std::vector<uint8_t> image(static_cast<size_t>(pitch) * 2 * scale, 0xA5);

        CopySwappingRedBlue(framebuffer, {1, 0, 3, 2}, scale, image.data(), pitch);

        const uint32_t swapped[2][2] = {{0x00332211, 0x00665544}, {0x00998877, 0x00CCBBAA}};
        for (int32_t y = 0; y < 2 * scale; ++y) {
            for (int32_t x = 0; x <= 2 * scale; ++x) {
                const uint32_t expected =
                    x == 2 * scale ? kUntouched : swapped[y / scale][x / scale];
                EXPECT_EQ(At(image, pitch, x, y), expected) << scale << ": " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace platform
