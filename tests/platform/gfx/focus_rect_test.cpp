#include "platform/gfx/focus_rect.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Changed;
using Pixels = testsupport::PixelPlaces;

constexpr Color kBack = 0x336699;

TEST(FocusRect, BlackTextOnWhiteInvertsTheOddPixelsOfTheFrame) {
    Surface s(6, 5, kBack);
    DrawFocusRect(s, {0, 0, 4, 3});
    const Pixels inverted{{1, 0}, {3, 0}, {0, 1}, {1, 2}, {3, 2}};
    for (int32_t y = 0; y < 5; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            const Color expected = inverted.contains({x, y}) ? kBack ^ 0xFFFFFF : kBack;
            EXPECT_EQ(s.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(FocusRect, EvenPixelsTakeTheTextColour) {
    Surface s(4, 3, kBack);
    s.textColor = 0x0000FF;
    s.backgroundColor = 0x00FF00;
    DrawFocusRect(s, {0, 0, 4, 3});
    EXPECT_EQ(s.Pixel(0, 0), kBack ^ 0x0000FF);
    EXPECT_EQ(s.Pixel(1, 0), kBack ^ 0x00FF00);
    EXPECT_EQ(s.Pixel(3, 1), kBack ^ 0x0000FF);
    EXPECT_EQ(s.Pixel(0, 1), kBack ^ 0x00FF00);
    EXPECT_EQ(s.Pixel(1, 1), kBack);
}

// The pattern is anchored to the surface: moving the rectangle by one pixel flips which of its
// own pixels invert, so the frame's top-left corner inverts only at odd positions.
TEST(FocusRect, PhaseFollowsSurfaceCoordinates) {
    for (int32_t shift = 0; shift < 4; ++shift) {
        Surface s(10, 6, kBack);
        const Rect rect = Rect{1, 1, 6, 5}.Offset(shift, 0);
        DrawFocusRect(s, rect);
        for (int32_t y = 0; y < 6; ++y) {
            for (int32_t x = 0; x < 10; ++x) {
                const bool onFrame =
                    rect.Contains({x, y}) && (x == rect.left || x == rect.right - 1 ||
                                              y == rect.top || y == rect.bottom - 1);
                const bool inverts = onFrame && (x + y) % 2 == 1;
                EXPECT_EQ(s.Pixel(x, y), inverts ? kBack ^ 0xFFFFFF : kBack)
                    << "shift " << shift << " at " << x << "," << y;
            }
        }
    }
}

// With both colours white every pixel XORed once inverts and one XORed twice would not, so
// the changed pixels must be exactly the frame; a second call restores the image.
TEST(FocusRect, EachFramePixelOnceAndTwiceRestores) {
    std::mt19937 random(7);
    for (const Rect& rect : {Rect{1, 1, 2, 2}, Rect{1, 1, 6, 2}, Rect{1, 1, 2, 5}, Rect{1, 1, 3, 3},
                             Rect{0, 0, 7, 6}, Rect{-2, -1, 4, 3}, Rect{2, 3, 9, 8}}) {
        Surface s(7, 6, kBack);
        s.textColor = 0xFFFFFF;
        DrawFocusRect(s, rect);
        Pixels frame;
        for (int32_t y = std::max(rect.top, 0); y < std::min(rect.bottom, 6); ++y) {
            for (int32_t x = std::max(rect.left, 0); x < std::min(rect.right, 7); ++x) {
                if (x == rect.left || x == rect.right - 1 || y == rect.top || y == rect.bottom - 1)
                    frame.insert({x, y});
            }
        }
        EXPECT_EQ(Changed(s, kBack), frame) << rect.left << "," << rect.top;

        Surface noisy(7, 6);
        for (int32_t y = 0; y < 6; ++y) {
            for (int32_t x = 0; x < 7; ++x)
                noisy.SetPixel(x, y, random() & 0xFFFFFF);
        }
        const Surface before = noisy;
        noisy.textColor = 0x123456;
        DrawFocusRect(noisy, rect);
        DrawFocusRect(noisy, rect);
        EXPECT_EQ(noisy.Pixels(), before.Pixels());
    }
}

TEST(FocusRect, EmptyRectangleOrClipRegionLeavesPixelsAlone) {
    Surface s(5, 5, kBack);
    DrawFocusRect(s, {3, 1, 3, 4});
    DrawFocusRect(s, {1, 4, 4, 1});
    EXPECT_TRUE(Changed(s, kBack).empty());

    s.SetClip(Region::FromRect({0, 0, 5, 5}).Difference(Region::FromRect({0, 0, 2, 5})));
    s.textColor = 0xFFFFFF;
    DrawFocusRect(s, {0, 0, 5, 5});
    EXPECT_EQ(Changed(s, kBack),
              (Pixels{{2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2}, {4, 3}, {2, 4}, {3, 4}, {4, 4}}));
}

}  // namespace
}  // namespace platform
