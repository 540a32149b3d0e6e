// Which pasted texts are numbers the display takes, and the keys that enter them.
#include "calculator/pasted_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace calculator {
namespace {

/// The keys as one line ("1 , 5 +/-"), or "refused".
std::string KeysOf(std::string_view text, std::string_view separator) {
    const std::optional<std::vector<std::string_view>> keys = KeysForPastedNumber(text, separator);
    if (!keys) return "refused";
    std::string line;
    for (const std::string_view key : *keys) {
        if (!line.empty()) line += ' ';
        line += key;
    }
    return line;
}

TEST(PastedNumberTest, TakesAnOptionalMinusDigitsAndOneSeparator) {
    const struct {
        std::string text;
        const char* separator;
        const char* keys;
    } cases[] = {
        {"42.5", ".", "4 2 , 5"},
        {"42.5", ",", "4 2 , 5"},  // a point is a separator in every locale
        {"42,5", ",", "4 2 , 5"},
        {"42,5", ".", "refused"},  // a comma only where it is the separator
        {"  7 \t\r\n", ".", "7"},
        {"-0", ".", "0 +/-"},
        {"-12.25", ",", "1 2 , 2 5 +/-"},
        {".5", ".", ", 5"},
        {"5.", ".", "5 ,"},
        {"3\u066B1", "\u066B", "3 , 1"},  // a separator of several bytes is one character
        {std::string(30, '9'), ".", "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9"},
        {"-" + std::string(28, '1') + ".", ".", nullptr},  // 30 characters: taken
        {std::string(31, '9'), ".", "refused"},
        {"-" + std::string(29, '1') + ".", ".", "refused"},  // 31 characters
        {"", ".", "refused"},
        {"   ", ".", "refused"},
        {"-", ".", "refused"},
        {".", ".", "refused"},
        {"1.2.3", ".", "refused"},
        {"1.2,3", ",", "refused"},
        {"1e5", ".", "refused"},
        {"+5", ".", "refused"},
        {"--5", ".", "refused"},
        {"5-", ".", "refused"},
        {"1 000", ".", "refused"},
        {"0x1F", ".", "refused"},
        {"\u0661", ".", "refused"},  // digits of other scripts are no keys of the keypad
        {std::string(1 << 20, '1'), ".", "refused"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const std::string keys = KeysOf(c.text, c.separator);
        if (c.keys) {
            EXPECT_EQ(keys, c.keys);
        } else {
            EXPECT_NE(keys, "refused");
        }
    }
}

}  // namespace
}  // namespace calculator
