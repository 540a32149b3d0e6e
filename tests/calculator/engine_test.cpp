#include "calculator/engine.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/calculator/key_sequence.h"

namespace calculator {
namespace {

struct SequenceCase {
    const char* keys;
    std::string display;
};

void ExpectDisplays(const std::string& separator, std::initializer_list<SequenceCase> cases) {
    for (const SequenceCase& c : cases) {
        Engine engine(separator);
        EXPECT_EQ(PressKeys(engine, c.keys), Failure::kNone) << c.keys;
        EXPECT_EQ(engine.State().displayText, c.display) << c.keys;
    }
}

TEST(EngineEquals, FirstAndFurtherEqualsOfEachOperator) {
    ExpectDisplays(",", {
                            {"2 + 3 =", "5"},
                            {"2 + 3 = =", "8"},
                            {"2 + 3 = = =", "11"},
                            {"8 -- 3 =", "5"},
                            {"8 -- 3 = =", "2"},
                            {"4 X 3 =", "12"},
                            {"4 X 3 = =", "36"},
                            {"9 / 2 =", "4,5"},
                            {"9 / 2 = =", "2,25"},
                            {"5 0 % 2 0 =", "10"},
                            // The percentage repeats with the first operand: 10 x 50 / 100.
                            {"5 0 % 2 0 = =", "5"},
                            {"2 x^y 1 0 =", "1024"},
                            {"2 x^y 1 0 = =", "1,267651E+30"},
                            {"4 x^y 0 , 5 =", "2"},
                            {"2 x^y +/- 2 =", "0,25"},
                            {"0 x^y 0 =", "1"},
                        });
}

TEST(EngineEquals, SequencesRestartAndRepeat) {
    ExpectDisplays(",", {
                            // No operator since start: the result stays 0.
                            {"7 =", "0"},
                            {"7 = =", "0"},
                            {"2 + 3 = X 4 =", "20"},
                            // Clear keeps the first operand 2 and the pending "+".
                            {"2 + 3 = Clear 4 =", "6"},
                            // Digits typed after a result extend its text; "=" repeats on it.
                            {"2 + 3 = 1 =", "54"},
                            {"+/- 5 + 3 =", "-2"},
                            {"1 , 5 + , 5 =", "2"},
                            {"2 , + 1 =", "3"},
                            {"0 0 0 7 + 000 =", "7"},
                            // Beyond the single range as a power: an infinite single, no failure.
                            {"1 0 x^y 3 9 =", "Infinity"},
                            {"+/- 1 0 x^y 3 9 =", "-Infinity"},
                        });
}

TEST(EngineEquals, ResultsAreRoundedToSingle) {
    ExpectDisplays(",", {
                            {"1 2 3 4 5 6 7 8 9 + 0 =", "1,234568E+08"},
                            {"1 6 7 7 7 2 1 7 + 0 =", "1,677722E+07"},
                            {"0 , 1 + 0 , 2 =", "0,3"},
                            {"1 / 3 =", "0,3333333"},
                            // 1E+36 from the square, times 300, still fits a single.
                            {"1 000 000 000 000 000 000 x^2 X 3 0 0 =", "3E+38"},
                        });

    Engine engine(",");
    EXPECT_EQ(PressKeys(engine, "1 6 7 7 7 2 1 7 + 0 ="), Failure::kNone);
    EXPECT_EQ(engine.State().firstOperand, 16777216.0f);
    EXPECT_EQ(engine.State().secondOperand, 0.0f);
}

TEST(EngineEntry, TextKeys) {
    ExpectDisplays(",", {
                            {"1 2 , , 3", "12,,3"},
                            {"0 00 000", "000000"},
                            {"+/-", "-"},
                            {"+/- +/-", ""},
                            {"1 2 +/-", "-12"},
                            {"1 2 +/- +/-", "12"},
                            {"+/- 5", "-5"},
                            {"C", ""},
                            {"+/- C", ""},
                            {"1 2 C", "1"},
                            {"2 x^2", "4"},
                            {"2 sqrt", "1,4142135623731"},
                            {"1 , 5 x^2", "2,25"},
                            {"+/- 3 x^2", "9"},
                            {"1 6 sqrt", "4"},
                            {"x^2 sqrt", ""},
                            // Square and square root write double text: 15 digits.
                            {"1 2 3 4 5 6 7 8 9 x^2", "1,52415787501905E+16"},
                        });
}

TEST(EngineSeparators, PointLocaleWritesPointsAndReadsCommasToo) {
    ExpectDisplays(".", {
                            {"9 / 2 =", "4.5"},
                            {"1 , 5 + 1 =", "2.5"},
                            {"1 , 5 x^2", "2.25"},
                            {"2 sqrt", "1.4142135623731"},
                            {"1 / 3 = =", "0.1111111"},
                        });
}

TEST(EngineSeparators, MultiByteSeparator) {
    const std::string arabic = "\xD9\xAB";  // U+066B ARABIC DECIMAL SEPARATOR
    ExpectDisplays(arabic, {
                               {"9 / 2 =", "4" + arabic + "5"},
                               {"1 , 5 + 1 =", "2" + arabic + "5"},
                           });

    // Backspace removes whole characters, not single bytes of one.
    Engine engine(arabic);
    EXPECT_EQ(PressKeys(engine, "9 / 2 = C C"), Failure::kNone);
    EXPECT_EQ(engine.State().displayText, "4");
}

TEST(EngineState, EqualsWithoutOperatorTakesTheSecondOperand) {
    Engine engine(",");
    EXPECT_EQ(PressKeys(engine, "7 ="), Failure::kNone);
    EXPECT_EQ(engine.State(), (EngineState{"0", 0.0f, 7.0f, "", 1}));
}

TEST(EngineState, OperatorAndEqualsOnAnEmptyDisplayChangeNothing) {
    Engine engine(",");
    EXPECT_EQ(PressKeys(engine, "2 + 3 = = Clear"), Failure::kNone);
    const EngineState before = engine.State();
    EXPECT_EQ(before, (EngineState{"", 2.0f, 3.0f, "+", 0}));
    for (const char* key : {"=", "X", "x^2", "sqrt", "C"}) {
        EXPECT_EQ(PressKey(engine, key), Failure::kNone) << key;
        EXPECT_EQ(engine.State(), before) << key;
    }
}

TEST(EngineState, TextKeysLeaveOperandsAndCountAlone) {
    Engine engine(",");
    EXPECT_EQ(PressKeys(engine, "2 + 3 = ="), Failure::kNone);
    EXPECT_EQ(engine.State(), (EngineState{"8", 2.0f, 3.0f, "+", 2}));
    EXPECT_EQ(PressKeys(engine, "5 C x^2 sqrt +/- +/- 00"), Failure::kNone);
    EXPECT_EQ(engine.State(), (EngineState{"800", 2.0f, 3.0f, "+", 2}));
    EXPECT_EQ(PressKeys(engine, "/"), Failure::kNone);
    EXPECT_EQ(engine.State(), (EngineState{"", 800.0f, 3.0f, "/", 0}));
}

TEST(EngineState, UnknownOperatorCaptionGivesZero) {
    // The operator is identified by its caption text; "-" is not the subtraction key "--".
    Engine engine(",");
    EXPECT_EQ(engine.Entry("8"), Failure::kNone);
    EXPECT_EQ(engine.Operator("-"), Failure::kNone);
    EXPECT_EQ(PressKeys(engine, "3 = ="), Failure::kNone);
    EXPECT_EQ(engine.State(), (EngineState{"0", 8.0f, 3.0f, "-", 2}));
}

TEST(EngineState, EqualsCountStopsAt32767) {
    Engine engine(",");
    EXPECT_EQ(PressKeys(engine, "2 + 3"), Failure::kNone);
    for (int i = 0; i < 32767; ++i)
        ASSERT_EQ(engine.Equals(), Failure::kNone) << i;
    // 2 + 3 x 32767
    EXPECT_EQ(engine.State(), (EngineState{"98303", 2.0f, 3.0f, "+", 32767}));
    EXPECT_EQ(engine.Equals(), Failure::kCountLimit);
    EXPECT_EQ(engine.State(), (EngineState{"98303", 2.0f, 3.0f, "+", 32767}));
    EXPECT_EQ(engine.Clear(), Failure::kNone);
    EXPECT_EQ(PressKeys(engine, "1 ="), Failure::kNone);
    EXPECT_EQ(engine.State(), (EngineState{"3", 2.0f, 1.0f, "+", 1}));
}

TEST(EngineKeyPress, EveryTypedCharacterIsDropped) {
    for (int code :
         {0, 8, 13, int{'0'}, int{'5'}, int{','}, int{'.'}, int{'-'}, int{'A'}, 0xFF, 0xFFFF}) {
        EXPECT_EQ(Engine::FilterKeyPress(code), 0) << code;
    }
}

}  // namespace
}  // namespace calculator
