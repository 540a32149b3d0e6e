#include "platform/text/line_breaker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/draw_text.h"
#include "platform/text/text_flags.h"
#include "platform/text/utf8.h"
#include "tests/platform/text/text_fixtures.h"

namespace platform {
namespace {

// The lines as ASCII text; a prefixed character is written after a "^".
std::vector<std::string> Lines(const Font& font, const std::string& text, int32_t width,
                               uint32_t flags) {
    const std::vector<char32_t> codePoints = DecodeUtf8(text);
    LineBreaker breaker(font, codePoints, width, flags);
    std::vector<std::string> lines;
    TextLine line;
    while (breaker.Next(line)) {
        std::string s;
        int32_t width = 0;
        for (const TextCell& cell : line.cells) {
            if (cell.prefixed) s += '^';
            s += static_cast<char>(cell.codePoint);
            width += cell.metrics.advance;
        }
        EXPECT_EQ(line.width, width) << s;
        lines.push_back(s);
    }
    return lines;
}

using Strings = std::vector<std::string>;

TEST(LineBreaker, ParagraphsAndPrefixes) {
    const auto font = TestFont();
    struct Case {
        std::string text;
        uint32_t flags;
        Strings lines;
    };
    const Case cases[] = {
        {"", 0, {}},
        {"", kTextSingleLine, {""}},
        {"ab\r\ncd", 0, {"ab", "cd"}},
        {"ab\n\rcd", 0, {"ab", "cd"}},
        {"ab\ncd", 0, {"ab", "cd"}},
        {"ab\r\rcd", 0, {"ab", "", "cd"}},
        {"ab\n\ncd", 0, {"ab", "", "cd"}},
        {"ab\r\n", 0, {"ab"}},
        {"\r\n", 0, {""}},
        {"ab\r\ncd", kTextSingleLine, {"ab\r\ncd"}},
        {"&Clear", 0, {"^Clear"}},
        {"a&&b", 0, {"a&b"}},
        {"&&&x", 0, {"&^x"}},
        {"x&", 0, {"x&"}},
        {"x&\ny", 0, {"x&", "y"}},
        {"&a&b", 0, {"^a^b"}},
        {"a&b", kTextNoPrefix, {"a&b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lines(*font, c.text, 1000, c.flags), c.lines) << c.text;
}

TEST(LineBreaker, OnlyTheFirstPrefixOfALineIsUnderlined) {
    const auto font = TestFont();
    const std::vector<char32_t> text = DecodeUtf8("a&bc&d");
    LineBreaker breaker(*font, text, 1000, 0);
    TextLine line;
    ASSERT_TRUE(breaker.Next(line));
    EXPECT_EQ(line.cells.size(), 4u);
    EXPECT_EQ(line.underline, 1);
}

TEST(LineBreaker, WordBreakAtSpacesWithTheTrailingSpaceRules) {
    const auto font = TestFont();
    const auto w = [&](const char* s) { return TextWidth(*font, s); };
    const uint32_t left = kTextWordBreak;
    const uint32_t centre = kTextWordBreak | kTextCenter;
    struct Case {
        std::string text;
        int32_t width;
        uint32_t flags;
        Strings lines;
    };
    const Case cases[] = {
        // Everything fits: nothing is broken, trailing spaces stay.
        {"Hello world ", w("Hello world "), left, {"Hello world "}},
        // The space after "Hello" fits, "w" does not: left keeps the space, centre drops it.
        {"Hello world", w("Hello w") - 1, left, {"Hello ", "world"}},
        {"Hello world", w("Hello w") - 1, centre, {"Hello", "world"}},
        // "Hello" fits exactly and the space does not: the space is swallowed.
        {"Hello world", w("Hello"), left, {"Hello", "world"}},
        {"Hello world", w("Hello"), centre, {"Hello", "world"}},
        // Two spaces, the first fits: the second one is swallowed.
        {"Hello  world", w("Hello "), left, {"Hello ", "world"}},
        {"Hello  world", w("Hello "), centre, {"Hello", "world"}},
        // Both spaces fit: centre drops only the last.
        {"Hello  world", w("Hello  w") - 1, left, {"Hello  ", "world"}},
        {"Hello  world", w("Hello  w") - 1, centre, {"Hello ", "world"}},
        // Only one space of a run is swallowed at the start of the next line; the other two
        // make a line of their own here.
        {"ab   cd", w("ab"), left, {"ab", "  ", "cd"}},
        // The last space that fits is the cut, even with more words on the line.
        {"one two three", w("one two th"), left, {"one two ", "three"}},
        {"one two three", w("one two th"), centre, {"one two", "three"}},
        // A word wider than the width stands alone, unbroken.
        {"Calculator", w("Calc"), left, {"Calculator"}},
        {"a Calculator b", w("a Calc"), centre, {"a", "Calculator", "b"}},
        {"Calculator", 0, left, {"Calculator"}},
        // Breaking works on the text after prefix processing.
        {"&Hello &world", w("Hello w") - 1, centre, {"^Hello", "^world"}},
        // Each paragraph wraps on its own.
        {"ab cd\r\nef", w("ab"), left, {"ab", "cd", "ef"}},
        // Without the flag nothing wraps; single-line text never wraps.
        {"Hello world", w("Hello"), 0, {"Hello world"}},
        {"Hello world", w("Hello"), kTextWordBreak | kTextSingleLine, {"Hello world"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Lines(*font, c.text, c.width, c.flags), c.lines)
            << '"' << c.text << "\" width " << c.width << " flags " << c.flags;
    }
}

}  // namespace
}  // namespace platform
