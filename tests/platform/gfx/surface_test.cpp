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

}  // namespace
}  // namespace platform
