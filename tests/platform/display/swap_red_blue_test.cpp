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

    CopySwappingRedBlue(framebuffer, {1, 1, 4, 3}, image.data(), pitch);

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
    CopySwappingRedBlue(framebuffer, {0, 0, 1, 1}, screen.data(), 4);
    EXPECT_EQ(At(screen, 4, 0, 0), 0x00563412u);
}

TEST(SwapRedBlue, CopiesTheDevicePixelsOfAScaledPartOfAWindow) {
    // At 1.5 the window's logical pixel 1 covers device column 2 alone and pixel 2 columns 3
    // and 4: the part composed from pixel 1 on holds them as its first three columns.
    Surface part(2, 2, 0, {DeviceScale::FromFactor(1.5), {1, 0}});
    part.SetPixel(0, 0, 0x00112233);
    part.SetPixel(1, 0, 0x00445566);
    std::vector<uint8_t> image(3 * 4, 0xA5);
    CopySwappingRedBlue(part, {2, 0, 5, 1}, image.data(), 3 * 4);
    EXPECT_EQ(At(image, 12, 0, 0), 0x00332211u);
    EXPECT_EQ(At(image, 12, 1, 0), 0x00665544u);
    EXPECT_EQ(At(image, 12, 2, 0), 0x00665544u);
}

// Pointer pixels are premultiplied before they are scaled: at 1.5 the middle pixel lies halfway
// between an opaque white and a transparent red, and takes half the white and none of the red.
TEST(SwapRedBlue, PointerPixelsArePremultipliedThenScaled) {
    const Image picture{2, 1, {0xFFFFFFFF, 0x000000FF}};
    std::vector<uint32_t> blocks(4 * 2, kUntouched);
    CopyPointerPixels(picture, DeviceScale::FromFactor(2), blocks.data());
    EXPECT_EQ(blocks,
              (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0}));
    std::vector<uint32_t> smooth(3 * 2, kUntouched);
    CopyPointerPixels(picture, DeviceScale::FromFactor(1.5), smooth.data());
    EXPECT_EQ(smooth[1], 0x80808080u);
    EXPECT_EQ(smooth[0], 0xFFFFFFFFu);
    EXPECT_EQ(smooth[2], 0u);
    // A picture whose pixels do not fill its size is refused whole.
    std::vector<uint32_t> refused(9, kUntouched);
    EXPECT_FALSE(CopyPointerPixels({3, 3, {0xFFFFFFFF}}, DeviceScale{}, refused.data()));
    EXPECT_EQ(refused, std::vector<uint32_t>(9, kUntouched));
}

}  // namespace
}  // namespace platform
