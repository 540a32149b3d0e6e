#include "platform/display/x11/x11_text.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(X11Text, Latin1FromUtf8KeepsWhatLatin1HoldsAndMarksTheRest) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string latin1;
    };
    const Case cases[] = {
        {"ASCII", "Tavik 2.0", "Tavik 2.0"},
        {"two-byte Latin-1", "\xC3\xA9\xC2\xA0\xC3\xBF", "\xE9\xA0\xFF"},
        {"beyond U+00FF",
         "a\xC4\x80"
         "b\xE2\x82\xAC"
         "c\xF0\x9F\x98\x80",
         "a?b?c?"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"lead byte without its continuation",
         "a\xC3"
         "b",
         "a?b"},
        {"truncated at the end", "a\xE2\x82", "a??"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Latin1FromUtf8(c.utf8), c.latin1);
    }
}

TEST(X11Text, EveryLatin1ByteRoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string utf8 = Utf8FromLatin1(all);
    EXPECT_EQ(utf8.size(), 127u + 2u * 128u);
    EXPECT_EQ(Utf8FromLatin1("\xE9"), "\xC3\xA9");
    EXPECT_EQ(Latin1FromUtf8(utf8), all);
}

}  // namespace
}  // namespace platform
