#include "calculator/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace calculator {
namespace {

const std::string kArabicSeparator = "\xD9\xAB";  // U+066B ARABIC DECIMAL SEPARATOR

TEST(FormatSingle, SevenDigitsAndTheExponentBoundaries) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {1.0f, "1"},
        {-12.0f, "-12"},
        {4.5f, "4,5"},
        {0.1f, "0,1"},
        {1.0f / 3.0f, "0,3333333"},
        {-2.0f / 3.0f, "-0,6666667"},
        {9999999.0f, "9999999"},
        {10000000.0f, "1E+07"},
        {12345678.0f, "1,234568E+07"},
        {123456789.0f, "1,234568E+08"},
        {999999.94f, "999999,9"},
        {1e10f, "1E+10"},
        {-1.5e-7f, "-1,5E-07"},
        // The nearest single to 1E-04 lies below it but rounds to exponent -4: plain form.
        {1e-4f, "0,0001"},
        {1.2345678e-4f, "0,0001234568"},
        {1e-5f, "1E-05"},
        {9.9999996e-5f, "0,0001"},
        {std::numeric_limits<float>::max(), "3,402823E+38"},
        {std::numeric_limits<float>::lowest(), "-3,402823E+38"},
        {std::numeric_limits<float>::min(), "1,175494E-38"},
        {std::numeric_limits<float>::denorm_min(), "1,401298E-45"},
        {std::numeric_limits<float>::infinity(), "Infinity"},
        {-std::numeric_limits<float>::infinity(), "-Infinity"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSingle(c.value, ","), c.text) << c.value;
}

TEST(FormatDouble, FifteenDigitsAndTheExponentBoundaries) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {9999999.5, "9999999,5"},
        {std::sqrt(2.0), "1,4142135623731"},
        {999999999999999.0, "999999999999999"},
        {999999999999999.5, "1E+15"},
        {1e15, "1E+15"},
        {-123456789012345678.0, "-1,23456789012346E+17"},
        {1e-4, "0,0001"},
        {1e-5, "1E-05"},
        {1e-300, "1E-300"},
        {std::numeric_limits<double>::max(), "1,79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324"},
        {std::numeric_limits<double>::infinity(), "Infinity"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDouble(c.value, ","), c.text) << c.value;
}

TEST(FormatSingle, WritesTheGivenSeparator) {
    EXPECT_EQ(FormatSingle(4.5f, "."), "4.5");
    EXPECT_EQ(FormatSingle(4.5f, kArabicSeparator), "4" + kArabicSeparator + "5");
    EXPECT_EQ(FormatSingle(1.5e10f, "."), "1.5E+10");
    EXPECT_EQ(FormatDouble(0.25, "."), "0.25");
}

TEST(ParseSingle, Grammar) {
    struct Case {
        const char* text;
        const char* separator;
        float value;
    };
    const Case accepted[] = {
        {"5", ",", 5.0f},
        {"-5", ",", -5.0f},
        {"0007", ",", 7.0f},
        {"5,", ",", 5.0f},
        {",5", ",", 0.5f},
        {"-,5", ",", -0.5f},
        {"1,5", ",", 1.5f},
        {"1E+07", ",", 1e7f},
        {"1e7", ",", 1e7f},
        {"1E-05", ",", 1e-5f},
        {"1,5E3", ",", 1500.0f},
        {",5e-1", ",", 0.05f},
        {"1.5", ".", 1.5f},
        {"1,5", ".", 1.5f},
        {"2.", ".", 2.0f},
        {"-0", ",", -0.0f},
        {"0E+999999999999", ",", 0.0f},
    };
    for (const Case& c : accepted) {
        Parsed<float> parsed = ParseSingle(c.text, c.separator);
        EXPECT_EQ(parsed.failure, Failure::kNone) << c.text;
        EXPECT_EQ(parsed.value, c.value) << c.text;
    }

    struct Rejected {
        const char* text;
        const char* separator;
    };
    const Rejected rejected[] = {
        {"", ","},     {"-", ","},     {",", ","},    {"-,", ","},       {"1,2,3", ","},
        {"1.5", ","},  {" 5", ","},    {"5 ", ","},   {"+5", ","},       {"1 000", ","},
        {"--5", ","},  {"1E", ","},    {"1E+", ","},  {"E5", ","},       {"0x10", ","},
        {"1,5,", ","}, {"1.5,5", "."}, {"1,5.", "."}, {"Infinity", ","}, {"inf", ","},
        {"NaN", ","},  {"1E5,5", ","}, {"5-", ","},   {"1e+-5", ","},    {"\xD9\xAB", ","},
    };
    for (const Rejected& c : rejected) {
        EXPECT_EQ(ParseSingle(c.text, c.separator).failure, Failure::kNotANumber) << c.text;
        EXPECT_EQ(ParseDouble(c.text, c.separator).failure, Failure::kNotANumber) << c.text;
    }

    EXPECT_EQ(ParseSingle("4" + kArabicSeparator + "5", kArabicSeparator).value, 4.5f);
    EXPECT_EQ(ParseSingle("4,5", kArabicSeparator).value, 4.5f);
    EXPECT_EQ(ParseSingle("4" + kArabicSeparator + "5", ",").failure, Failure::kNotANumber);
}

TEST(ParseSingle, RangeEndsAndRounding) {
    const float max = std::numeric_limits<float>::max();
    const float tiny = std::numeric_limits<float>::denorm_min();
    struct Case {
        const char* text;
        float value;
    };
    const Case inRange[] = {
        {"3,402823E+38", 3.402823e38f},
        {"3,4028235E+38", max},
        // Just below the midpoint between the largest single and 2^128.
        {"3,40282356E+38", max},
        {"-3,4028235E+38", -max},
        {"1,401298E-45", tiny},
        {"7,1E-46", tiny},
        {"1,17549435E-38", std::numeric_limits<float>::min()},
        // Below half the smallest subnormal: zero, not a failure.
        {"7E-46", 0.0f},
        {"1E-50", 0.0f},
        {"0,000000000000000000000000000000000000000000000000001", 0.0f},
        {"1E-999999999999", 0.0f},
        {"9999999,5", 10000000.0f},
        {"16777217", 16777216.0f},
        // Rounded once, straight to single: through double it would hit the midpoint
        // 1 + 2^-24 and round to even, 1.
        {"1,0000000596046448", std::nextafter(1.0f, 2.0f)},
    };
    for (const Case& c : inRange) {
        Parsed<float> parsed = ParseSingle(c.text, ",");
        EXPECT_EQ(parsed.failure, Failure::kNone) << c.text;
        EXPECT_EQ(parsed.value, c.value) << c.text;
    }
    Parsed<float> negativeTiny = ParseSingle("-1E-50", ",");
    EXPECT_EQ(negativeTiny.failure, Failure::kNone);
    EXPECT_TRUE(negativeTiny.value == 0.0f && std::signbit(negativeTiny.value));

    for (const char* text : {"3,40282357E+38", "1E+39", "-1E+39", "1E+999999999999",
                             "340282357000000000000000000000000000000"}) {
        EXPECT_EQ(ParseSingle(text, ",").failure, Failure::kOutOfRange) << text;
    }
}

TEST(ParseDouble, RangeEnds) {
    EXPECT_EQ(ParseDouble("1,7976931348623157E+308", ",").value,
              std::numeric_limits<double>::max());
    EXPECT_EQ(ParseDouble("1E+39", ",").value, 1e39);
    EXPECT_EQ(ParseDouble("4,94065645841247E-324", ",").value,
              std::numeric_limits<double>::denorm_min());
    Parsed<double> tiny = ParseDouble("1E-400", ",");
    EXPECT_EQ(tiny.failure, Failure::kNone);
    EXPECT_EQ(tiny.value, 0.0);
    EXPECT_EQ(ParseDouble("1,8E+308", ",").failure, Failure::kOutOfRange);
    EXPECT_EQ(ParseDouble("-1E+16800", ",").failure, Failure::kOutOfRange);
}

// Every text written for a finite value reads back, to a value within one unit of the text's
// last digit.
TEST(NumberText, WrittenTextReadsBack) {
    for (const std::string& separator : {std::string(","), std::string("."), kArabicSeparator}) {
        for (uint32_t bits = 0; bits < 0x7F800000u; bits += 0x13579u) {
            for (float value : {std::bit_cast<float>(bits), -std::bit_cast<float>(bits)}) {
                std::string text = FormatSingle(value, separator);
                Parsed<float> parsed = ParseSingle(text, separator);
                ASSERT_EQ(parsed.failure, Failure::kNone) << text;
                ASSERT_LE(std::fabs(parsed.value - value), std::fabs(value) * 1.01e-6f) << text;

                const double wideValue = value * 1e100;
                std::string wide = FormatDouble(wideValue, separator);
                Parsed<double> parsedWide = ParseDouble(wide, separator);
                ASSERT_EQ(parsedWide.failure, Failure::kNone) << wide;
                ASSERT_LE(std::fabs(parsedWide.value - wideValue), std::fabs(wideValue) * 1.01e-14)
                    << wide;
            }
        }
    }
}

// Seven digits cannot tell every single apart: at a power of ten the text's nearest single may
// lie below it, where the finer digits of the decade below then show.
TEST(NumberText, TextAtAPowerOfTenReadsBackToItsNearestSingle) {
    struct Case {
        uint32_t written;
        const char* text;
        uint32_t read;
        const char* rewritten;
    };
    const Case cases[] = {
        {0x6E013F3Au, "1E+28", 0x6E013F39u, "9,999999E+27"},
        // A subnormal carries even fewer digits.
        {0x006CE3EFu, "1E-38", 0x006CE3EEu, "9,999999E-39"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSingle(std::bit_cast<float>(c.written), ","), c.text);
        Parsed<float> parsed = ParseSingle(c.text, ",");
        EXPECT_EQ(parsed.failure, Failure::kNone);
        EXPECT_EQ(std::bit_cast<uint32_t>(parsed.value), c.read) << c.text;
        EXPECT_EQ(FormatSingle(parsed.value, ","), c.rewritten);
    }
}

}  // namespace
}  // namespace calculator
