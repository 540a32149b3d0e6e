#include "platform/gfx/line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Changed;
using testsupport::IsWindowOf;
using testsupport::Picture;
using Pixels = testsupport::PixelPlaces;

constexpr Color kBack = 0x123456;
constexpr Color kInk = 0xABCDEF;

// Draws from -> to on a surface big enough for both points (shifted by kOrigin) and returns
// the painted pixels in the line's own coordinates.
Pixels LinePixels(Point from, Point to) {
    constexpr int32_t kOrigin = 8;
    Surface s(24, 24, kBack);
    MoveTo(s, {from.x + kOrigin, from.y + kOrigin});
    LineTo(s, {to.x + kOrigin, to.y + kOrigin}, kInk);
    Pixels lit;
    for (auto [x, y] : Changed(s, kBack))
        lit.insert({x - kOrigin, y - kOrigin});
    return lit;
}

TEST(Line, PaintsTheCosmeticPenPixels) {
    struct Case {
        Point from, to;
        Pixels expected;
    };
    const Case cases[] = {
        {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
        {{0, 0}, {4, -2}, {{0, 0}, {1, -1}, {2, -1}, {3, -2}}},
        {{0, 0}, {2, 5}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
        {{5, 0}, {0, 0}, {{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
        {{0, 0}, {4, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {{0, 3}, {0, 0}, {{0, 3}, {0, 2}, {0, 1}}},
        {{0, 0}, {0, 2}, {{0, 0}, {0, 1}}},
        {{0, 0}, {-2, 5}, {{0, 0}, {0, 1}, {-1, 2}, {-1, 3}, {-2, 4}}},
        {{0, 0}, {-3, -3}, {{0, 0}, {-1, -1}, {-2, -2}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinePixels(c.from, c.to), c.expected)
            << "(" << c.from.x << "," << c.from.y << ") -> (" << c.to.x << "," << c.to.y << ")";
    }
}

TEST(Line, ZeroLengthPaintsNothingAndEveryLineLeavesThePositionAtItsEnd) {
    Surface s(4, 4, kBack);
    MoveTo(s, {2, 1});
    LineTo(s, {2, 1}, kInk);
    EXPECT_TRUE(Changed(s, kBack).empty());
    EXPECT_EQ(s.position, (Point{2, 1}));
    LineTo(s, {-7, 30}, kInk);
    EXPECT_EQ(s.position, (Point{-7, 30}));
}

// A->B plus pixel B is the same set as B->A plus pixel A; one pixel per step of the major
// axis, each step moving the minor coordinate by at most one.
TEST(Line, DirectionOnlyDecidesWhichEndIsDropped) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int32_t> coord(-7, 7);
    for (int i = 0; i < 400; ++i) {
        const Point a{coord(random), coord(random)};
        const Point b{coord(random), coord(random)};
        if (a == b) continue;
        Pixels forward = LinePixels(a, b);
        Pixels backward = LinePixels(b, a);
        const size_t steps =
            static_cast<size_t>(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)));
        EXPECT_EQ(forward.size(), steps);
        EXPECT_TRUE(forward.contains({a.x, a.y}));
        EXPECT_FALSE(forward.contains({b.x, b.y}));
        forward.insert({b.x, b.y});
        backward.insert({a.x, a.y});
        EXPECT_EQ(forward, backward)
            << "(" << a.x << "," << a.y << ") <-> (" << b.x << "," << b.y << ")";
    }
}

// The same lines on a small surface (and through a clip region) light exactly the pixels that
// the unclipped lines light there.
TEST(Line, ClippingKeepsEveryPixelInPlace) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int32_t> coord(-40, 50);
    const Region clip = Region::Ellipse({1, 0, 11, 7}).Difference(Region::FromRect({4, 2, 7, 4}));
    for (int i = 0; i < 300; ++i) {
        const Point a{coord(random), coord(random)};
        const Point b{coord(random), coord(random)};
        constexpr int32_t kShift = 45;
        Surface whole(110, 110, kBack);
        MoveTo(whole, {a.x + kShift, a.y + kShift});
        LineTo(whole, {b.x + kShift, b.y + kShift}, kInk);

        Surface window(12, 8, kBack);
        MoveTo(window, a);
        LineTo(window, b, kInk);
        EXPECT_TRUE(IsWindowOf(window, whole, kShift, kShift));

        Surface clipped(12, 8, kBack);
        clipped.SetClip(clip);
        MoveTo(clipped, a);
        LineTo(clipped, b, kInk);
        for (int32_t y = 0; y < 8; ++y) {
            for (int32_t x = 0; x < 12; ++x) {
                const Color expected = clip.Contains({x, y}) ? window.Pixel(x, y) : kBack;
                ASSERT_EQ(clipped.Pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST(Line, FarAwayEndPointsStillDrawTheVisiblePart) {
    Surface s(5, 3, kBack);
    MoveTo(s, {-2'000'000'000, -1'000'000'000});
    LineTo(s, {2'000'000'000, 1'000'000'000}, kInk);
    // Through (0, 0) with slope 1/2; the ties at odd x round up.
    EXPECT_EQ(Picture(s, {{kBack, '.'}, {kInk, '#'}}),
              (std::vector<std::string>{"##...", "..##.", "....#"}));
}

// The bevel of a 4 x 4 surface: each segment starts where the previous one stopped short, so
// every joint gets the colour of the segment leaving it.
TEST(Line, ChainOfLinesPaintsEachJointOnce) {
    Surface s(4, 4, kBack);
    MoveTo(s, {0, 3});
    LineTo(s, {0, 0}, 0x000001);
    LineTo(s, {3, 0}, 0x000001);
    LineTo(s, {3, 3}, 0x000002);
    LineTo(s, {-1, 3}, 0x000002);
    MoveTo(s, {1, 2});
    LineTo(s, {1, 1}, 0x000003);
    LineTo(s, {2, 1}, 0x000003);
    LineTo(s, {2, 2}, 0x000004);
    LineTo(s, {0, 2}, 0x000004);
    EXPECT_EQ(Picture(s, {{kBack, '.'}, {1, '1'}, {2, '2'}, {3, '3'}, {4, '4'}}),
              (std::vector<std::string>{"1112", "1342", "1442", "2222"}));
}

}  // namespace
}  // namespace platform
