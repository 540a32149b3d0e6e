// Which pasted texts are numbers the display takes, and the keys that enter them.
#include "calculator/pasted_number.h"

#include <gtest/gtest.h>

#include <string>

namespace calculator {
namespace {

TEST(PastedNumberTest, TakesAnOptionalMinusDigitsAndOneSeparator) {
    const struct {
        std::string text;
        const char* separator;
        std::string keys;  // joined, "" for a refusal
    } cases[] = {
        {"42.5", ",", "42,5"},  // a point is a separator in every locale
        {" 8,25\t\r\n", ",", "8,25"},
        {"3\u066B1", "\u066B", "3,1"},  // a separator of several bytes is one character
        {"-0", ".", "0+/-"},
        {".5", ".", ",5"},
        {"-" + std::string(28, '1') + ".", ".", std::string(28, '1') + ",+/-"},  // 30 characters
        {"-" + std::string(29, '9'), ".", std::string(29, '9') + "+/-"},         // 30 characters
        {std::string(30, '9'), ".", std::string(30, '9')},
        {"42,5", ".", ""},
        {"", ".", ""},
        {"   ", ".", ""},
        {"-", ".", ""},
        {"1.2.3", ".", ""},
        {"1.2,3", ",", ""},
        {std::string(31, '9'), ".", ""},
        {"-" + std::string(30, '9'), ".", ""},  // the sign is one of the 31 characters
        {"1e5", ".", ""},
        {"+5", ".", ""},
        {"1 000", ".", ""},
        {std::string(1 << 20, '1'), ".", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        std::string keys;
        for (const std::string_view key :
             KeysForPastedNumber(c.text, c.separator).value_or(std::vector<std::string_view>{}))
            keys += key;
        EXPECT_EQ(keys, c.keys);
    }
}

}  // namespace
}  // namespace calculator
