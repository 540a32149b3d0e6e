#include <gtest/gtest.h>

#include <string>

#include "platform/text/draw_text.h"
#include "tests/platform/text/text_fixtures.h"

namespace platform {
namespace {

constexpr uint32_t kMeasure = kTextCalcRect | kTextWordBreak;  // the caption layout's 0x410

TEST(MeasureText, RectangleOfTheLaidOutText) {
    const auto font = TestFont();
    const int32_t lh = font->Height();
    const auto w = [&](const char* s) { return TextWidth(*font, s); };
    struct Case {
        std::string text;
        int32_t width;
        int32_t measuredWidth;
        int32_t lines;
    };
    const Case cases[] = {
        {"", 200, 0, 0},
        {"=", 200, w("="), 1},
        {"&&", 200, w("&"), 1},
        {"&Clear", 200, w("Clear"), 1},
        {"a&bc", 200, w("abc"), 1},
        {"x&", 200, w("x&"), 1},
        {"ab\r\ncdef", 200, w("cdef"), 2},
        {"abcd\r\n", 200, w("abcd"), 1},
        // A long word widens the rectangle beyond the wrapping width.
        {"Calculator", w("Calc"), w("Calculator"), 1},
        {"a Calculator", w("a Calc"), w("Calculator"), 2},
        // Wrapping at the width; left-aligned lines keep the space that fitted.
        {"Hello world", w("Hello w") - 1, w("Hello "), 2},
        {"Hello world", w("Hello"), std::max(w("Hello"), w("world")), 2},
        {"one two three", w("one two") + 1, w("one two"), 2},
    };
    for (const Case& c : cases) {
        Surface unused;
        Rect rect{7, 5, 7 + c.width, 500};
        const int32_t height = DrawText(unused, *font, c.text, rect, kMeasure);
        EXPECT_EQ(rect, (Rect{7, 5, 7 + c.measuredWidth, 5 + c.lines * lh})) << c.text;
        EXPECT_EQ(height, c.lines * lh) << c.text;
    }
}

TEST(MeasureText, FlagsChangeTheMeasuredText) {
    const auto font = TestFont();
    const int32_t lh = font->Height();
    Surface surface;
    Rect rect{0, 0, 10, 0};
    DrawText(surface, *font, "a&&b", rect, kTextCalcRect | kTextNoPrefix);
    EXPECT_EQ(rect, (Rect{0, 0, TextWidth(*font, "a&&b"), lh}));
    rect = {0, 0, 10, 0};
    DrawText(surface, *font, "Hello world", rect, kTextCalcRect);
    EXPECT_EQ(rect, (Rect{0, 0, TextWidth(*font, "Hello world"), lh}));
    rect = {0, 0, 10, 0};
    DrawText(surface, *font, "", rect, kTextCalcRect | kTextSingleLine);
    EXPECT_EQ(rect, (Rect{0, 0, 0, lh}));
}

TEST(MeasureText, DrawsNothing) {
    const auto font = TestFont();
    Surface surface(49, 33, 0xFFFFFF);
    Rect rect{0, 0, 49, 33};
    DrawText(surface, *font, "Clear", rect, kMeasure | kTextCenter);
    for (Color c : surface.Pixels())
        ASSERT_EQ(c, 0xFFFFFFu);
}

TEST(TextWidth, SumsAdvancesWithoutPrefixProcessing) {
    const auto font = TestFont();
    EXPECT_EQ(TextWidth(*font, ""), 0);
    EXPECT_EQ(TextWidth(*font, "a&b"), font->MetricsFor(U'a').advance +
                                           font->MetricsFor(U'&').advance +
                                           font->MetricsFor(U'b').advance);
    EXPECT_EQ(TextWidth(*font, "\xE2\x82\xAC"), font->MetricsFor(U'\u20AC').advance);
}

}  // namespace
}  // namespace platform
