#include "platform/text/access_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/line_breaker.h"
#include "platform/text/utf8.h"
#include "tests/platform/text/text_fixtures.h"

namespace platform {
namespace {

// The character DrawText underlines in a one-line caption, as UTF-8; empty for none.
std::string Underlined(std::string_view caption) {
    const std::vector<char32_t> text = DecodeUtf8(caption);
    const auto font = TestFont();
    LineBreaker breaker(*font, text, 1000, 0);
    TextLine line;
    std::string underlined;
    if (breaker.Next(line) && line.underline >= 0)
        AppendUtf8(underlined, line.cells[static_cast<size_t>(line.underline)].codePoint);
    return underlined;
}

// The key a caption marks is the character drawn underlined, the one the button and the
// message boxes answer to, and the one readers are told, whatever the caption.
TEST(AccessKey, OneAnswerForTheKeyTheUnderlineAndTheReader) {
    struct Case {
        const char* caption;
        const char* key;
        const char* spoken;
    };
    const Case cases[] = {
        {"&Yes", "y", "Yes"},
        {"Save &As", "a", "Save As"},
        {"R&&D", "", "R&D"},
        {"R&&D &Go", "g", "R&D Go"},
        {"a&&b&&c&d", "d", "a&b&cd"},
        {"&&&x", "x", "&x"},
        {"&&", "", "&"},
        {"&", "", "&"},
        {"a&", "", "a&"},
        {"x^2", "", "x^2"},
        {"&1 and &2", "1", "1 and 2"},
        {"&\xC3\x89tat", "\xC3\x89", "\xC3\x89tat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(AccessKeyOf(c.caption), c.key);
        EXPECT_EQ(AccessKeyBinding(c.caption), *c.key ? std::string("<Alt>") + c.key : "");
        EXPECT_EQ(SpokenCaption(c.caption), c.spoken);
        // Drawn as it is typed: only ASCII letters differ from the key, by their case.
        std::string underlined = Underlined(c.caption);
        if (underlined.size() == 1) underlined[0] = static_cast<char>(std::tolower(underlined[0]));
        EXPECT_EQ(underlined, c.key);
    }
}

TEST(AccessKey, AMarkedByteThatStartsNoCharacterIsNoKey) {
    EXPECT_EQ(AccessKeyOf("&\x89x"), "");
    EXPECT_EQ(AccessKeyBinding("&\xC3"), "");
}

}  // namespace
}  // namespace platform
