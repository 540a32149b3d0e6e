#include "platform/text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

TEST(DecodeUtf8, WellFormedAndMalformedSequences) {
    struct Case {
        std::string bytes;
        std::u32string codePoints;
    };
    const Case cases[] = {
        {"", U""},
        {"Clear", U"Clear"},
        {"\xC3\xA9", U"\u00E9"},
        {"\xE2\x82\xAC", U"\u20AC"},
        {"\xF0\x9F\x98\x80", U"\U0001F600"},
        {"a\x80z", U"a\uFFFDz"},                            // stray continuation byte
        {"\xC0\xAF", U"\uFFFD\uFFFD"},                      // overlong "/"
        {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},            // overlong in three bytes
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},            // surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xE2\x82", U"\uFFFD\uFFFD"},                      // truncated at the end
        {"\xE2\x82"
         "A",
         U"\uFFFD\uFFFDA"},  // truncated before ASCII
        {"\xFF", U"\uFFFD"},
    };
    for (const Case& c : cases) {
        const std::vector<char32_t> decoded = DecodeUtf8(c.bytes);
        EXPECT_EQ(std::u32string(decoded.begin(), decoded.end()), c.codePoints) << c.bytes;
    }
}

TEST(CharacterOffsets, CountAndFindCodePointsOfUtf8) {
    EXPECT_EQ(CharacterCount("a\xC3\xA9"
                             "b"),
              3);
    EXPECT_EQ(ByteOfCharacter("a\xC3\xA9"
                              "b",
                              2),
              3u);
    EXPECT_EQ(ByteOfCharacter("ab", 9), 2u);
}

}  // namespace
}  // namespace platform
