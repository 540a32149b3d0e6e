#include "platform/gfx/copy_rect.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Picture;

constexpr Color kBack = 0x00002E;  // '.'

// A 4 x 3 source whose pixels are the letters a..l, row by row.
Surface Letters() {
    Surface src(4, 3);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 4; ++x)
            src.SetPixel(x, y, static_cast<Color>('a' + y * 4 + x));
    }
    return src;
}

std::map<Color, char> Legend() {
    std::map<Color, char> legend{{kBack, '.'}};
    for (char c = 'a'; c <= 'l'; ++c)
        legend[static_cast<Color>(c)] = c;
    return legend;
}

TEST(CopyRect, CopiesClippedToBothSurfaces) {
    struct Case {
        Point at;
        Rect from;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{1, 1}, {0, 0, 4, 3}, {".....", ".abcd", ".efgh", ".ijkl", "....."}},
        {{0, 0}, {1, 1, 3, 3}, {"fg...", "jk...", ".....", ".....", "....."}},
        {{3, 3}, {0, 0, 4, 3}, {".....", ".....", ".....", "...ab", "...ef"}},
        {{-2, -1}, {0, 0, 4, 3}, {"gh...", "kl...", ".....", ".....", "....."}},
        // Source pixels off the source leave the destination as it was.
        {{1, 1}, {-1, -1, 3, 2}, {".....", ".....", "..abc", "..efg", "....."}},
        {{0, 0}, {2, 1, 9, 8}, {"gh...", "kl...", ".....", ".....", "....."}},
        {{0, 0}, {4, 0, 6, 3}, {".....", ".....", ".....", ".....", "....."}},
        {{0, 0}, {2, 2, 1, 3}, {".....", ".....", ".....", ".....", "....."}},
    };
    const Surface src = Letters();
    for (const Case& c : cases) {
        Surface dst(5, 5, kBack);
        CopyRect(dst, c.at, src, c.from);
        EXPECT_EQ(Picture(dst, Legend()), c.expected) << c.at.x << "," << c.at.y;
    }
}

TEST(CopyRect, DestinationClipRegionLimitsTheCopy) {
    Surface dst(5, 3, kBack);
    dst.SetClip(Region::FromRect({0, 0, 5, 3}).Difference(Region::FromRect({2, 1, 3, 2})));
    CopyRect(dst, {0, 0}, Letters(), {0, 0, 4, 3});
    EXPECT_EQ(Picture(dst, Legend()), (std::vector<std::string>{"abcd.", "ef.h.", "ijkl."}));
}

TEST(CopyRect, OverlappingCopyWithinOneSurfaceReadsTheOriginal) {
    Surface s = Letters();
    CopyRect(s, {1, 1}, s, {0, 0, 3, 2});
    EXPECT_EQ(Picture(s, Legend()), (std::vector<std::string>{"abcd", "eabc", "iefg"}));
    s = Letters();
    CopyRect(s, {0, 0}, s, {1, 1, 4, 3});
    EXPECT_EQ(Picture(s, Legend()), (std::vector<std::string>{"fghd", "jklh", "ijkl"}));
}

}  // namespace
}  // namespace platform
