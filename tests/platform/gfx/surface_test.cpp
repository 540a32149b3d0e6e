#include "platform/gfx/surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

TEST(Surface, NeverWritesOutsideItsPixels) {
    Surface s(3, 2, 0x111111);
    for (int32_t y = -2; y < 4; ++y) {
        for (int32_t x = -2; x < 5; ++x)
            s.SetPixel(x, y, 0x222222);
    }
    for (Color c : s.Pixels())
        EXPECT_EQ(c, 0x222222u);
    EXPECT_EQ(s.Pixels().size(), 6u);
    EXPECT_EQ(Surface(-4, 5).Pixels().size(), 0u);
}

TEST(Surface, ClipRegionLimitsPixelsAndSpans) {
    Surface s(4, 3, 0);
    s.SetClip(Region::FromRect({0, 0, 4, 3}).Difference(Region::FromRect({1, 1, 3, 2})));
    s.SetPixel(1, 1, 0xFF);
    s.SetPixel(0, 1, 0xFF);
    EXPECT_EQ(s.Pixel(1, 1), 0u);
    EXPECT_EQ(s.Pixel(0, 1), 0xFFu);

    std::vector<Span> spans;
    s.ForEachVisibleSpan({-5, 1, 10, 2}, [&](int32_t y, int32_t x0, int32_t x1) {
        spans.push_back({y, x0, x1});
    });
    EXPECT_EQ(spans, (std::vector<Span>{{1, 0, 1}, {1, 3, 4}}));

    s.ClearClip();
    s.SetPixel(1, 1, 0xFF);
    EXPECT_EQ(s.Pixel(1, 1), 0xFFu);
}

// A device clip may cut a logical pixel: at 1.5 its spans are what drawing touches, and the
// logical clip is the rectangle that holds them.
TEST(Surface, DeviceClipLimitsDevicePixelsFinerThanLogicalOnes) {
    Surface s(4, 2, 0, {DeviceScale::FromFactor(1.5), {0, 0}});
    const Region device = Region::FromRect({1, 0, 4, 3}).Difference(Region::FromRect({2, 1, 3, 2}));
    s.SetDeviceClip(device);
    EXPECT_EQ(*s.Clip(), Region::FromRect({0, 0, 3, 2}));
    std::vector<Span> spans;
    s.ForEachVisibleSpan(s.Bounds(), [&](int32_t y, int32_t x0, int32_t x1) {
        spans.push_back({y, x0, x1});
    });
    EXPECT_EQ(spans, (std::vector<Span>{{0, 1, 4}, {1, 1, 2}, {1, 3, 4}, {2, 1, 4}}));
}

}  // namespace
}  // namespace platform
