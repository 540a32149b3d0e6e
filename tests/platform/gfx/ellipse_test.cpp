#include "platform/gfx/ellipse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/region.h"
#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Changed;
using testsupport::IsWindowOf;
using testsupport::Picture;

constexpr Color kBack = 0x5A5A5A;
constexpr Color kPen = 0x0000FF;
constexpr Color kFill = 0x00FF00;

std::vector<std::string> Draw(int32_t width, int32_t height, const Rect& box, int32_t pen,
                              const Region* clip = nullptr) {
    Surface s(width, height, kBack);
    if (clip) s.SetClip(*clip);
    DrawEllipse(s, box, kPen, pen, kFill);
    return Picture(s, {{kBack, '.'}, {kPen, '#'}, {kFill, 'o'}});
}

TEST(Ellipse, OnePixelPenOutlinesInsideTheBox) {
    EXPECT_EQ(Draw(10, 8, {1, 1, 9, 7}, 1), (std::vector<std::string>{
                                                "..........",
                                                "...####...",
                                                "..#oooo#..",
                                                ".#oooooo#.",
                                                ".#oooooo#.",
                                                "..#oooo#..",
                                                "...####...",
                                                "..........",
                                            }));
}

// Clipped by the elliptic region of the same box, as a window shaped by it shows the drawing.
TEST(Ellipse, TwoPixelPenInsideItsEllipticRegion) {
    const Region shape = Region::Ellipse({0, 0, 12, 8});
    EXPECT_EQ(Draw(12, 8, {0, 0, 12, 8}, 2, &shape), (std::vector<std::string>{
                                                         "...#####....",
                                                         ".##ooooo##..",
                                                         "##ooooooo##.",
                                                         "#ooooooooo#.",
                                                         "##ooooooo##.",
                                                         ".##ooooo##..",
                                                         "...#####....",
                                                         "............",
                                                     }));
}

// The 2-pixel pen reaches one row above and one column left of the box, and stays inside it at
// the right and bottom.
TEST(Ellipse, TwoPixelPenThickensTowardUpLeft) {
    for (int32_t w = 3; w <= 20; ++w) {
        for (int32_t h = 3; h <= 14; ++h) {
            Surface s(30, 24, kBack);
            DrawEllipse(s, Rect::FromSize(4, 5, w, h), kPen, 2, kFill);
            Rect bounds{30, 24, 0, 0};
            for (auto [x, y] : Changed(s, kBack))
                bounds = bounds.Union({x, y, x + 1, y + 1});
            EXPECT_EQ(bounds, (Rect{3, 4, 4 + w, 5 + h})) << w << " x " << h;
        }
    }
}

// The desktop's elliptic region of a box is the footprint of the ellipse drawn one pixel
// smaller at the right and bottom: two independent walks of the same curve must agree.
TEST(Ellipse, FootprintEqualsTheEllipticRegionOfTheNextLargerBox) {
    for (int32_t w = 5; w <= 60; ++w) {
        for (int32_t h = 5; h <= 40; h += 1 + w % 3) {
            Surface s(w + 4, h + 4, kBack);
            DrawEllipse(s, Rect::FromSize(2, 2, w, h), kPen, 1, kFill);
            const Region region = Region::Ellipse(Rect::FromSize(2, 2, w + 1, h + 1));
            for (int32_t y = 0; y < h + 4; ++y) {
                for (int32_t x = 0; x < w + 4; ++x) {
                    ASSERT_EQ(s.Pixel(x, y) != kBack, region.Contains({x, y}))
                        << w << " x " << h << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Ellipse, OutlineIsSymmetricInBothAxes) {
    for (int32_t w = 1; w <= 25; ++w) {
        for (int32_t h = 1; h <= 25; ++h) {
            Surface s(w, h, kBack);
            DrawEllipse(s, {0, 0, w, h}, kPen, 1, kFill);
            for (int32_t y = 0; y < h; ++y) {
                for (int32_t x = 0; x < w; ++x) {
                    ASSERT_EQ(s.Pixel(x, y), s.Pixel(w - 1 - x, y)) << w << "x" << h;
                    ASSERT_EQ(s.Pixel(x, y), s.Pixel(x, h - 1 - y)) << w << "x" << h;
                }
            }
        }
    }
}

TEST(Ellipse, EmptyBoxDrawsNothing) {
    for (const Rect& box : {Rect{2, 2, 2, 6}, Rect{2, 2, 6, 2}, Rect{6, 2, 2, 6}}) {
        Surface s(8, 8, kBack);
        DrawEllipse(s, box, kPen, 2, kFill);
        EXPECT_TRUE(Changed(s, kBack).empty());
    }
}

TEST(Ellipse, ClippingKeepsEveryPixelInPlace) {
    constexpr int32_t kShift = 20;
    for (const Rect& box : {Rect{-6, -4, 9, 7}, Rect{3, 2, 19, 13}, Rect{-10, 1, 30, 5}}) {
        for (int32_t pen : {1, 2}) {
            Surface whole(60, 40, kBack);
            DrawEllipse(whole, box.Offset(kShift, kShift), kPen, pen, kFill);
            Surface window(12, 9, kBack);
            DrawEllipse(window, box, kPen, pen, kFill);
            EXPECT_TRUE(IsWindowOf(window, whole, kShift, kShift)) << box.left << " pen " << pen;
        }
    }
}

}  // namespace
}  // namespace platform
