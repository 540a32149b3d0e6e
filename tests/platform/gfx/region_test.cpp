#include "platform/gfx/region.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Picture;

TEST(Region, RectCoversRightAndBottomExclusive) {
    const Region r = Region::FromRect({1, 1, 4, 3});
    EXPECT_EQ(Picture(r, 5, 4), (std::vector<std::string>{".....", ".###.", ".###.", "....."}));
    EXPECT_EQ(r.Bounds(), (Rect{1, 1, 4, 3}));
    EXPECT_EQ(r.Area(), 6);
    EXPECT_EQ(Region::FromRect({4, 3, 1, 1}), r);
    EXPECT_TRUE(Region::FromRect({2, 2, 2, 9}).IsEmpty());
    EXPECT_EQ(Region().Bounds(), Rect{});
}

TEST(Region, SpansInAnyOrderMakeTheRegionOfTheirPixels) {
    const Region r = Region::FromSpans(
        {{2, 5, 7}, {0, 1, 3}, {2, 0, 2}, {0, 2, 4}, {2, 2, 3}, {1, 3, 3}, {0, 6, 7}});
    EXPECT_EQ(Picture(r, 8, 3), (std::vector<std::string>{".###..#.", "........", "###..##."}));
    EXPECT_EQ(r, Region::FromRect({1, 0, 4, 1})
                     .Union(Region::FromRect({6, 0, 7, 1}))
                     .Union(Region::FromRect({0, 2, 3, 3}))
                     .Union(Region::FromRect({5, 2, 7, 3})));
}

TEST(Region, EllipseMatchesTheDesktopSpans) {
    EXPECT_EQ(Picture(Region::Ellipse({0, 0, 8, 6}), 8, 6),
              (std::vector<std::string>{"..###...", "#######.", "#######.", "#######.", "..###...",
                                        "........"}));
}

TEST(Region, EllipseIsSymmetricAndLeavesTheLastRowAndColumnOut) {
    for (int32_t w = 5; w < 60; w += 3) {
        for (int32_t h = 5; h < 40; h += 2) {
            const Region e = Region::Ellipse({0, 0, w, h});
            const Rect bounds = e.Bounds();
            EXPECT_EQ(bounds.top, 0) << w << "x" << h;
            EXPECT_EQ(bounds.bottom, h - 1) << w << "x" << h;
            EXPECT_EQ(bounds.left, 0) << w << "x" << h;
            EXPECT_EQ(bounds.right, w - 1) << w << "x" << h;
            for (int32_t y = 0; y < h - 1; ++y) {
                for (int32_t x = 0; x < w - 1; ++x) {
                    const bool in = e.Contains({x, y});
                    ASSERT_EQ(in, e.Contains({w - 2 - x, y}))
                        << w << "x" << h << " " << x << "," << y;
                    ASSERT_EQ(in, e.Contains({x, h - 2 - y}))
                        << w << "x" << h << " " << x << "," << y;
                }
            }
        }
    }
}

TEST(Region, NarrowEllipseIsItsRectangle) {
    EXPECT_EQ(Region::Ellipse({2, 3, 4, 9}), Region::FromRect({2, 3, 3, 8}));
}

TEST(Region, CornerCutsRemoveExactlyThosePixels) {
    Region shape = Region::FromRect({0, 0, 75, 25});
    for (Point p : {Point{0, 24}, Point{74, 0}, Point{0, 0}, Point{74, 24}}) {
        shape = shape.Difference(Region::FromRect({p.x, p.y, p.x + 1, p.y + 1}));
    }
    EXPECT_EQ(shape.Area(), 75 * 25 - 4);
    for (Point p : {Point{0, 0}, Point{74, 0}, Point{0, 24}, Point{74, 24}}) {
        EXPECT_FALSE(shape.Contains(p));
    }
    for (Point p : {Point{1, 0}, Point{0, 1}, Point{73, 24}, Point{74, 23}}) {
        EXPECT_TRUE(shape.Contains(p));
    }
}

TEST(Region, SetOperations) {
    const Region a = Region::FromRect({0, 0, 4, 2});
    const Region b = Region::FromRect({2, 1, 6, 3});
    EXPECT_EQ(Picture(a.Union(b), 6, 3), (std::vector<std::string>{"####..", "######", "..####"}));
    EXPECT_EQ(Picture(a.Intersect(b), 6, 3),
              (std::vector<std::string>{"......", "..##..", "......"}));
    EXPECT_EQ(Picture(a.Difference(b), 6, 3),
              (std::vector<std::string>{"####..", "##....", "......"}));
    EXPECT_EQ(Picture(b.Difference(a), 6, 3),
              (std::vector<std::string>{"......", "....##", "..####"}));
    EXPECT_EQ(a.Offset(1, 1).Bounds(), (Rect{1, 1, 5, 3}));
    EXPECT_TRUE(a.Difference(a).IsEmpty());
    // Touching spans merge, so equal pixel sets compare equal.
    EXPECT_EQ(Region::FromRect({0, 0, 2, 1}).Union(Region::FromRect({2, 0, 4, 1})),
              Region::FromRect({0, 0, 4, 1}));
}

}  // namespace
}  // namespace platform
