// Every way a key handler can fail, with the whole state afterwards: a failing handler keeps
// what it changed before the failing step and nothing after it, and never writes the display.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calculator/engine.h"
#include "tests/calculator/key_sequence.h"

namespace calculator {
namespace {

// Displays that only the square key can reach: "1E+36" fits a single, "1E+42" does not;
// "1E+168" fits a double, and appending "00" makes "1E+16800", which does not.
const std::string kE36 = "1 000 000 000 000 000 000 x^2";
const std::string kE42 = "1 000 000 000 000 000 000 000 x^2";
const std::string kE168 = kE42 + " x^2 x^2";
// "3E+38" after a first equals, and 2E+38 typed in full.
const std::string kThreeE38 = kE36 + " X 3 0 0 =";
const std::string kTwoE38 = "2 000 000 000 000 000 000 000 000 000 000 000 000 00";
const std::string kTwoE38Text = "2" + std::string(38, '0');

struct FailureCase {
    std::string setup;
    const char* key;
    Failure failure;
    EngineState after;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.setup << " then " << c.key;
}

class EngineFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(EngineFailure, StopsAtTheFailingStep) {
    const FailureCase& c = GetParam();
    Engine engine(",");
    EXPECT_EQ(PressKeys(engine, c.setup), Failure::kNone);
    const std::string displayBefore = engine.State().displayText;
    EXPECT_EQ(PressKey(engine, c.key), c.failure);
    EXPECT_EQ(engine.State(), c.after);
    EXPECT_EQ(engine.State().displayText, displayBefore);
}

INSTANTIATE_TEST_SUITE_P(
    OperatorKey, EngineFailure,
    testing::Values(
        FailureCase{"2 + 3 = Clear ,", "X", Failure::kNotANumber, {",", 2, 3, "+", 0}},
        FailureCase{"2 + 3 = Clear +/-", "/", Failure::kNotANumber, {"-", 2, 3, "+", 0}},
        FailureCase{"2 + 3 = Clear 1 , , 2", "%", Failure::kNotANumber, {"1,,2", 2, 3, "+", 0}},
        FailureCase{"2 + 3 = Clear " + kE42, "X", Failure::kOutOfRange, {"1E+42", 2, 3, "+", 0}}));

INSTANTIATE_TEST_SUITE_P(
    FirstEquals, EngineFailure,
    testing::Values(
        // The count is incremented before the parse; the second operand keeps its old value.
        FailureCase{"1 + 5 = 2 + ,", "=", Failure::kNotANumber, {",", 62, 5, "+", 1}},
        FailureCase{"1 + 5 = 2 + " + kE42, "=", Failure::kOutOfRange, {"1E+42", 62, 5, "+", 1}},
        // Failures after the computation: the second operand is already taken.
        FailureCase{"5 / 0", "=", Failure::kDivisionByZero, {"0", 5, 0, "/", 1}},
        FailureCase{"0 / 0", "=", Failure::kDivisionByZero, {"0", 0, 0, "/", 1}},
        FailureCase{kE36 + " X 1 000", "=", Failure::kOverflow, {"1000", 1e36f, 1000, "X", 1}},
        FailureCase{kThreeE38 + " + " + kTwoE38,
                    "=",
                    Failure::kOverflow,
                    {kTwoE38Text, 3e38f, 2e38f, "+", 1}},
        FailureCase{kThreeE38 + " +/- -- " + kTwoE38,
                    "=",
                    Failure::kOverflow,
                    {kTwoE38Text, -3e38f, 2e38f, "--", 1}},
        FailureCase{
            kE36 + " % 1 000 000", "=", Failure::kOverflow, {"1000000", 1e36f, 1000000, "%", 1}},
        // 3E+38 times 2 still fits a double: the single rounding is what overflows.
        FailureCase{kThreeE38 + " X 2", "=", Failure::kOverflow, {"2", 3e38f, 2, "X", 1}},
        FailureCase{
            "+/- 8 x^y 0 , 5", "=", Failure::kInvalidOperation, {"0,5", -8, 0.5f, "x^y", 1}},
        FailureCase{"0 x^y +/- 1", "=", Failure::kDivisionByZero, {"-1", 0, -1, "x^y", 1}},
        FailureCase{kE36 + " x^y 1 0", "=", Failure::kOverflow, {"10", 1e36f, 10, "x^y", 1}}));

INSTANTIATE_TEST_SUITE_P(
    FurtherEquals, EngineFailure,
    testing::Values(
        FailureCase{"2 + 3 = C +/-", "=", Failure::kNotANumber, {"-", 2, 3, "+", 2}},
        // The infinite power result is shown but cannot be read back.
        FailureCase{"1 0 x^y 3 9 =", "=", Failure::kNotANumber, {"Infinity", 10, 39, "x^y", 2}},
        FailureCase{
            "2 + 3 = C " + kE168 + " 00", "=", Failure::kOutOfRange, {"1E+16800", 2, 3, "+", 2}},
        FailureCase{kE36 + " X 1 0 = =", "=", Failure::kOverflow, {"1E+38", 1e36f, 10, "X", 3}},
        FailureCase{"1 + 1 = C " + kE168, "=", Failure::kOverflow, {"1E+168", 1, 1, "+", 2}},
        FailureCase{
            "2 -- 1 = C " + kE168 + " +/-", "=", Failure::kOverflow, {"-1E+168", 2, 1, "--", 2}},
        // The percentage repeats with the first operand: about 1E+35 x 1E+36 / 100 (with the
        // second operand it would give 1E+34). The first result, 10 x 1E+36 / 100 with the
        // single nearest 1E+36, rounds to the single just below 1E+35.
        FailureCase{
            kE36 + " % 1 0 =", "=", Failure::kOverflow, {"9,999999E+34", 1e36f, 10, "%", 2}},
        FailureCase{
            "4 x^y 0 , 5 = C +/- 4", "=", Failure::kInvalidOperation, {"-4", 4, 0.5f, "x^y", 2}},
        FailureCase{"2 x^y +/- 1 = C C C 0", "=", Failure::kDivisionByZero, {"0", 2, -1, "x^y", 2}},
        FailureCase{"1 0 x^y 3 0 =", "=", Failure::kOverflow, {"1E+30", 10, 30, "x^y", 2}}));

INSTANTIATE_TEST_SUITE_P(
    SquareAndRoot, EngineFailure,
    testing::Values(
        FailureCase{"2 + 3 = Clear ,", "x^2", Failure::kNotANumber, {",", 2, 3, "+", 0}},
        FailureCase{"2 + 3 = Clear " + kE168 + " 00",
                    "x^2",
                    Failure::kOutOfRange,
                    {"1E+16800", 2, 3, "+", 0}},
        FailureCase{"2 + 3 = Clear " + kE168, "x^2", Failure::kOverflow, {"1E+168", 2, 3, "+", 0}},
        FailureCase{"2 + 3 = Clear +/-", "sqrt", Failure::kNotANumber, {"-", 2, 3, "+", 0}},
        FailureCase{"2 + 3 = Clear " + kE168 + " 00",
                    "sqrt",
                    Failure::kOutOfRange,
                    {"1E+16800", 2, 3, "+", 0}},
        FailureCase{
            "2 + 3 = Clear +/- 4", "sqrt", Failure::kInvalidOperation, {"-4", 2, 3, "+", 0}}));

// A first division by zero leaves the second operand 0 and the count 1, so a further equals
// divides by zero again.
TEST(EngineFailureSequence, DivisionByZeroRepeats) {
    Engine engine(",");
    EXPECT_EQ(PressKeys(engine, "5 / 0"), Failure::kNone);
    EXPECT_EQ(engine.Equals(), Failure::kDivisionByZero);
    EXPECT_EQ(PressKeys(engine, "5"), Failure::kNone);
    EXPECT_EQ(engine.Equals(), Failure::kDivisionByZero);
    EXPECT_EQ(engine.State(), (EngineState{"05", 5, 0, "/", 2}));
}

TEST(FailureText, NamesEveryCause) {
    EXPECT_EQ(FailureText(Failure::kNone), "");
    EXPECT_EQ(FailureText(Failure::kNotANumber), "Invalid number");
    EXPECT_EQ(FailureText(Failure::kOutOfRange), "Number out of range");
    EXPECT_EQ(FailureText(Failure::kOverflow), "Overflow");
    EXPECT_EQ(FailureText(Failure::kDivisionByZero), "Division by zero");
    EXPECT_EQ(FailureText(Failure::kInvalidOperation), "Invalid operation");
    EXPECT_EQ(FailureText(Failure::kCountLimit), "Too many repeats");
}

}  // namespace
}  // namespace calculator
