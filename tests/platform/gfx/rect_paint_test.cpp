#include "platform/gfx/rect_paint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Picture;

constexpr Color kBack = 0x010203;
constexpr Color kInk = 0x0A0B0C;

TEST(RectPaint, FillAndFrameCoverExactlyTheirPixels) {
    struct Case {
        Rect rect;
        bool frame;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{1, 1, 5, 4}, false, {"......", ".####.", ".####.", ".####.", "......"}},
        {{1, 1, 5, 4}, true, {"......", ".####.", ".#..#.", ".####.", "......"}},
        {{0, 0, 6, 5}, true, {"######", "#....#", "#....#", "#....#", "######"}},
        {{2, 1, 3, 4}, true, {"......", "..#...", "..#...", "..#...", "......"}},
        {{1, 2, 5, 3}, true, {"......", "......", ".####.", "......", "......"}},
        {{1, 1, 3, 3}, true, {"......", ".##...", ".##...", "......", "......"}},
        {{-3, -2, 2, 2}, true, {".#....", "##....", "......", "......", "......"}},
        {{4, 3, 9, 9}, false, {"......", "......", "......", "....##", "....##"}},
        {{3, 1, 3, 4}, false, {"......", "......", "......", "......", "......"}},
        {{3, 1, 3, 4}, true, {"......", "......", "......", "......", "......"}},
        {{4, 1, 2, 4}, false, {"......", "......", "......", "......", "......"}},
        {{4, 1, 2, 4}, true, {"......", "......", "......", "......", "......"}},
        {{1, 3, 4, 1}, true, {"......", "......", "......", "......", "......"}},
    };
    for (const Case& c : cases) {
        Surface s(6, 5, kBack);
        if (c.frame) {
            FrameRect(s, c.rect, kInk);
        } else {
            FillRect(s, c.rect, kInk);
        }
        EXPECT_EQ(Picture(s, {{kBack, '.'}, {kInk, '#'}}), c.expected)
            << (c.frame ? "frame " : "fill ") << c.rect.left << "," << c.rect.top << ","
            << c.rect.right << "," << c.rect.bottom;
    }
}

TEST(RectPaint, ClipRegionLimitsFillAndFrame) {
    Surface s(5, 4, kBack);
    s.SetClip(Region::FromRect({0, 0, 5, 4}).Difference(Region::FromRect({1, 1, 4, 2})));
    FillRect(s, {0, 0, 5, 3}, kInk);
    FrameRect(s, {1, 1, 5, 4}, 0x777777);
    EXPECT_EQ(Picture(s, {{kBack, '.'}, {kInk, '#'}, {0x777777, 'f'}}),
              (std::vector<std::string>{"#####", "#...f", "#f##f", ".ffff"}));
}

}  // namespace
}  // namespace platform
