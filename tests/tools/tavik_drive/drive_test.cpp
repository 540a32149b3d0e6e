// Scripts run through tavik-drive, the whole program on the headless display, with the output
// and exit status they must give; and golden images of the calculator and splash windows.
//
// The golden images live in tests/golden/program/. To regenerate them after a deliberate change
// of the program's look, run the tests with TAVIK_UPDATE_GOLDEN=1 in the environment (they then
// write the files instead of comparing), look at every new image, and commit them with the
// change.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calculator/keypad.h"
#include "forms/units.h"
#include "platform/gfx/contrast.h"
#include "platform/image/image.h"
#include "tests/support/golden.h"
#include "tests/support/pixels.h"

namespace drive {
namespace {

struct Outcome {
    std::string output;
    std::string errors;
    int status = -1;
};

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

/// Runs tavik-drive with `arguments` on `script`.
Outcome Drive(const std::string& script, const std::string& arguments = "") {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tavik-drive-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "script") << script;
    // Sanitizer builds list the leak suppressions they used on standard error; not here.
    const std::string command =
        "LSAN_OPTIONS=\"${LSAN_OPTIONS:+$LSAN_OPTIONS:}"
        "print_suppressions=0\" " +
        std::string(TAVIK_DRIVE_PATH) + " " + arguments + " < " + (dir / "script").string() +
        " > " + (dir / "out").string() + " 2> " + (dir / "err").string();
    const int raw = std::system(command.c_str());
    Outcome outcome{ReadText(dir / "out"), ReadText(dir / "err"),
                    WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
    std::filesystem::remove_all(dir);
    return outcome;
}

/// Reaches the calculator: the splash takes about 4.3 s of the virtual clock.
const std::string kStart = "wait 5000\n";

struct ScriptCase {
    const char* name;
    std::string arguments;
    std::string script;
    std::string output;
};

const ScriptCase kScriptCases[] = {
    {"addition", "",
     kStart + "click 2\nprint display\nclick +\nclick 3\nprint display\nclick =\nprint display\n",
     "[2]\n[3]\n[5]\n"},
    {"division with a point", "--decimal-separator .",
     kStart + "click 9\nclick /\nclick 2\nclick =\nprint display\n", "[4.5]\n"},
    // The decimal key shows the separator it enters.
    {"the decimal key shows the point", "--decimal-separator .",
     kStart + "click 1\nclick .\nclick 5\nprint display\nclick Clear\ntype 2.5\nprint display\n",
     "[1.5]\n[2.5]\n"},
    {"division with a comma", "--decimal-separator ,",
     kStart + "click 9\nclick /\nclick 2\nclick =\nprint display\n", "[4,5]\n"},
    // The display takes no typed character itself; those bound to keys press the keys.
    {"typed characters", "",
     kStart + "click 4\nmove 100 30\ndown\nup\nprint focus\nkey 1\nkey a\nkey ,\nkey ~\n"
              "print display\n",
     "txtBuffer\n[41.]\n"},
    // Quick clicks on a key are each an entry, a double click included.
    {"clicks in quick succession", "",
     kStart + "click 1\nclick 1\nclick 1\nprint display\nclick +\nclick 1\nclick =\nclick =\n"
              "print display\n",
     "[111]\n[113]\n"},
    // A clicked key has the focus: Space presses it again and Tab goes on from it.
    {"a clicked key takes the focus", "",
     kStart + "click 5\nprint focus\nkey Space\nprint display\nkey Tab\nprint focus\n",
     "cmdNumber(4)\n[55]\ncmdNumber(5)\n"},
    {"quit answered No keeps the calculation", "",
     kStart + "click 7\nclick +\nclick 1\n# the close box asks first\nclose\nanswer No\n"
              "print display\nclick =\nprint display\n",
     "message: Exit | Are you sure you want to quit ? | Yes/No\n[1]\n[8]\n"},
    {"quit answered Yes ends the program", "",
     kStart + "click 7\nclose\nanswer Yes\nprint display\nclick 1\n",
     "message: Exit | Are you sure you want to quit ? | Yes/No\nended\n"},
    {"About", "", kStart + "click 4\nmove 20 305\ndown\nup\nanswer OK\nprint display\n",
     "message: About | Author         : Tavik Software\\rE-mail          : "
     "calculator@tavik.example\\rWeb Site     : https://tavik.example\\r\\rThank you for using "
     "this program | OK\n[4]\n"},
    {"division by zero", "",
     kStart + "click 5\nclick /\nclick 0\nclick =\nanswer OK\nprint display\nclick +\nclick 1\n"
              "click =\nprint display\n",
     "message: Tavik Calculator 2.0 | Division by zero\\rEnter another number to divide by, or "
     "press Clear to start again. | OK\n[0]\n[1]\n"},
    // Fade-in 50 ticks of 30 ms, hold two ticks of 1000 ms, fade-out 25 ticks of 30 ms: the
    // calculator window takes the focus at 4280 ms.
    {"splash left alone", "",
     "wait 4000\nprint focus\nwait 279\nprint focus\nwait 1\nprint focus\n",
     "none\nnone\ntxtBuffer\n"},
    // A click on the flag at 300 ms (opacity 50) fades out from there: 50, 40, 30, 20, closed.
    {"splash skipped by a click", "",
     "wait 300\nmove 330 24\ndown\nup\nwait 100\nprint focus\nwait 100\nprint focus\n",
     "none\ntxtBuffer\n"},
    {"splash skipped by a typed character", "", "wait 300\nkey x\nwait 200\nprint focus\n",
     "txtBuffer\n"},
    // Centres in the window's pixels at the scale: a key's and the "About" label's.
    {"where at scale 2", "--scale 2", kStart + "where 2\nwhere About\n", "160 144\n72 616\n"},
    {"where at scale 1.5", "--scale 1.5", kStart + "where 2\n", "120 108\n"},
    // Ctrl with plus (as its own key's "=" too, or the keypad's) zooms by quarters, with minus
    // back, never below the desktop's scale; Ctrl+0 gives the desktop's scale back. The keys
    // type nothing on the keypad.
    {"zoom keys", "",
     kStart + "key Ctrl+-\nwhere 2\nkey Ctrl++\nkey Ctrl+KP_Add\nwhere 2\nkey Ctrl+-\n"
              "key Ctrl+=\nwhere 2\nkey Ctrl+0\nwhere 2\nprint display\n",
     "80 72\n120 108\n120 108\n80 72\n[]\n"},
};

class ScriptTest : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptTest, PrintsWhatTheProgramDoes) {
    const ScriptCase& c = GetParam();
    const Outcome outcome = Drive(c.script, c.arguments);
    EXPECT_EQ(outcome.output, c.output);
    EXPECT_EQ(outcome.errors, "");
    EXPECT_EQ(outcome.status, 0);
}

INSTANTIATE_TEST_SUITE_P(Drive, ScriptTest, testing::ValuesIn(kScriptCases),
                         [](const testing::TestParamInfo<ScriptCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(DriveTest, TabFromTheDisplayFollowsTheTabIndices) {
    // Tab indices 0 to 26; the "About" label (25) takes no focus; the order wraps round.
    const std::vector<std::string> order = {
        "txtBuffer",      "cmdNumber(0)",   "cmdNumber(1)",   "cmdNumber(2)",   "cmdNumber(3)",
        "cmdNumber(4)",   "cmdNumber(5)",   "cmdNumber(6)",   "cmdNumber(7)",   "cmdNumber(8)",
        "cmdNumber(9)",   "cmdNumber(10)",  "cmdClear",       "cmdoperator(0)", "cmdoperator(1)",
        "cmdoperator(2)", "cmdoperator(3)", "cmdCalculate",   "cmdback",        "cmdNumber(11)",
        "cmdNumber(12)",  "cmdpangkatdua",  "cmdoperator(5)", "cmdakar",        "cmdplusminus",
        "cmdoperator(4)", "txtBuffer"};
    // The keys between the display's two visits are the keypad's, each once.
    std::vector<std::string> keys;
    for (const calculator::KeypadKey& key : calculator::kKeypad) {
        keys.push_back(key.index ? std::string(key.name) + "(" + std::to_string(*key.index) + ")"
                                 : std::string(key.name));
    }
    std::vector<std::string> reached(order.begin() + 1, order.end() - 1);
    std::ranges::sort(keys);
    std::ranges::sort(reached);
    EXPECT_EQ(reached, keys);

    std::string script = kStart + "print focus\n";
    std::string expected = order[0] + "\n";
    for (size_t i = 1; i < order.size(); ++i) {
        script += "key Tab\nprint focus\n";
        expected += order[i] + "\n";
    }
    script += "key Shift+Tab\nprint focus\n";
    expected += "cmdoperator(4)\n";
    EXPECT_EQ(Drive(script).output, expected);
}

TEST(DriveTest, FailedLinesNameTheLineAndEndWithStatusTwo) {
    struct FailureCase {
        std::string script;
        std::string error;
    };
    const FailureCase cases[] = {
        {"# comment\n\nfrobnicate 3\nprint display\n",
         "tavik-drive: line 3: unknown command \"frobnicate 3\"\n"},
        {kStart + "answer OK\n", "tavik-drive: line 2: no message box is up\n"},
        {kStart + "click 5\nclick /\nclick 0\nclick =\nanswer Yes\n",
         "tavik-drive: line 6: the message box has no Yes button\n"},
        {kStart + "click 42\n", "tavik-drive: line 2: no key or label shows \"42\"\n"},
        {"wait soon\n", "tavik-drive: line 1: wait needs a number of milliseconds\n"},
    };
    for (const FailureCase& c : cases) {
        const Outcome outcome = Drive(c.script);
        EXPECT_EQ(outcome.errors, c.error) << c.script;
        EXPECT_EQ(outcome.status, 2) << c.script;
        EXPECT_EQ(outcome.output.find("ended"), std::string::npos) << c.script;
    }
}

TEST(DriveTest, EndOfScriptLeavesTheProgramRunningWithoutEnding) {
    const Outcome outcome = Drive(kStart + "click 1\n");
    EXPECT_EQ(outcome.output, "");
    EXPECT_EQ(outcome.status, 0);
}

TEST(DriveTest, UnknownArgumentsAreRefused) {
    EXPECT_EQ(Drive("", "--separator ,").status, 2);
}

struct GoldenCase {
    const char* file;
    std::string script;  // ends where the picture is taken
    std::string scale = "1";
};

const GoldenCase kGoldenCases[] = {
    {"calculator_up.png", kStart},
    // The pointer leaves "7" for "5"; the keys notice a leave on their next timer tick.
    {"calculator_key_lit.png", kStart + "click 7\nmove 80 112\nwait 200\n"},
    {"calculator_key_pressed.png", kStart + "click 7\nmove 80 112\nwait 200\ndown\n"},
    // Two seconds in: the hold at opacity 250, the notice in its black phase.
    {"splash.png", "wait 2000\n"},
    // The densities of most screens sold: text and curves at the device's resolution.
    {"calculator_up_1.5x.png", kStart, "1.5"},
    {"calculator_key_lit_2x.png", kStart + "click 7\nmove 80 112\nwait 200\n", "2"},
    {"splash_1.5x.png", "wait 2000\n", "1.5"},
    // The system-colour tables the desktop may ask for: the About box in each; the calculator's
    // own design colours stay in dark and give way to the desktop's in high contrast.
    {"about.png", kStart + "click About\n"},
    {"about_dark.png", "appearance dark\n" + kStart + "click About\n"},
    {"about_high_contrast_dark.png", "appearance high-contrast\n" + kStart + "click About\n"},
    {"about_high_contrast_light.png",
     "appearance light high-contrast\n" + kStart + "click About\n"},
    {"calculator_up_dark.png", "appearance dark\n" + kStart},
    {"calculator_up_high_contrast_dark.png", "appearance high-contrast\n" + kStart},
    {"calculator_up_high_contrast_light.png", "appearance light high-contrast\n" + kStart},
    {"calculator_key_lit_high_contrast_dark.png",
     "appearance high-contrast\n" + kStart + "click 7\nmove 80 112\nwait 200\n"},
};

/// The last window `script` shows, run with `arguments`.
platform::Image Shot(const std::string& script, const std::string& arguments = "") {
    const std::filesystem::path shot = std::filesystem::temp_directory_path() /
                                       ("tavik-drive-shot-" + std::to_string(::getpid()) + ".png");
    const Outcome outcome = Drive(script + "shot " + shot.string() + "\n", arguments);
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    const std::string bytes = ReadText(shot);
    std::filesystem::remove(shot);
    return platform::DecodePng(std::vector<uint8_t>(bytes.begin(), bytes.end())).Value();
}

// In the comma's locale, whose separator the decimal key's stored caption shows.
TEST(DriveTest, WindowsMatchTheirGoldenImages) {
    for (const GoldenCase& c : kGoldenCases)
        testsupport::ExpectGoldenImage(std::string("tests/golden/program/") + c.file,
                                       Shot(c.script, "--decimal-separator , --scale " + c.scale));
}

// The desktop's appearance followed while the program runs: an open About box turns dark, and
// the calculator is its designed picture again once high contrast is off.
TEST(DriveTest, WindowsRepaintWhenTheDesktopsAppearanceChanges) {
    EXPECT_TRUE(Shot(kStart + "click About\nappearance dark\nwait 20\n") ==
                Shot("appearance dark\n" + kStart + "click About\n"));
    EXPECT_TRUE(Shot(kStart + "appearance high-contrast\nwait 20\n") ==
                Shot("appearance high-contrast\n" + kStart));
    EXPECT_TRUE(Shot(kStart + "appearance high-contrast\nwait 20\nappearance\nwait 20\n") ==
                Shot(kStart));
}

// The WCAG contrast of every key's caption against every row of its face, in each colour table,
// read from the calculator window's pixels: the caption's ink is the pixel inside the key that
// stands out most from the face of its row (the face read just inside the key's frame). High
// contrast asks 7:1; the designed keys, and the system-coloured ones in dark, reach 3:1 at
// least.
TEST(DriveTest, EveryKeysCaptionStandsOutFromEveryRowOfItsFace) {
    struct Table {
        std::string words;
        double least;
    };
    const Table tables[] = {{"", 3}, {"dark", 3}, {"high-contrast", 7}, {"light high-contrast", 7}};
    for (const Table& table : tables) {
        SCOPED_TRACE(table.words);
        const platform::Image shot = Shot("appearance " + table.words + "\n" + kStart);
        for (const calculator::KeypadKey& key : calculator::kKeypad) {
            SCOPED_TRACE(key.caption);
            const platform::Rect inner = forms::TwipsRect(key.bounds.left, key.bounds.top,
                                                          key.bounds.width, key.bounds.height)
                                             .Inflate(-4, -4);
            const auto face = [&](int32_t y) { return testsupport::PixelAt(shot, inner.left, y); };
            uint32_t ink = face(inner.top);
            for (int32_t y = inner.top; y < inner.bottom; ++y)
                for (int32_t x = inner.left; x < inner.right; ++x)
                    if (platform::ContrastRatio(testsupport::PixelAt(shot, x, y), face(y)) >
                        platform::ContrastRatio(ink, face(y)))
                        ink = testsupport::PixelAt(shot, x, y);
            for (int32_t y = inner.top; y < inner.bottom; ++y)
                EXPECT_GE(platform::ContrastRatio(ink, face(y)), table.least) << "row " << y;
        }
    }
}

TEST(DriveTest, TwoZoomStepsShowTheWindowAtOneAndAHalfTimesItsSize) {
    const platform::Image zoomed = Shot(kStart + "key Ctrl++\nkey Ctrl++\n");
    EXPECT_EQ(zoomed.width, 468);
    EXPECT_EQ(zoomed.height, 486);
    EXPECT_TRUE(zoomed == Shot(kStart, "--scale 1.5"));
    const platform::Image back = Shot(kStart + "key Ctrl++\nkey Ctrl++\nkey Ctrl+0\n");
    EXPECT_TRUE(back == Shot(kStart));
}

// The edge of logical pixel x at a scale of per120 / 120: round(x × scale), halves away from
// zero, in whole numbers.
int32_t Edge(int32_t x, int32_t per120) {
    return (2 * x * per120 + 120) / 240;
}

// At every scale the window is the 1x window on more pixels: each area of one colour (a pixel
// whose neighbours within two pixels share its colour, as glyphs rasterised at their own size
// may reach a device pixel beyond their 1x ink) keeps it over all its device pixels, while the
// captions are drawn anew at the device's resolution rather than as enlarged pixels.
TEST(DriveTest, ScaledWindowsKeepEveryFlatColourAndDrawTextAtDeviceResolution) {
    // Clicks and pointer moves are in the program's own pixels at any scale, so the same script
    // reaches the same state: a sum on the display and a lit key.
    const std::string script =
        kStart + "click 2\nclick +\nclick 3\nclick =\nmove 80 112\nwait 200\n";
    const platform::Image plain = Shot(script);
    ASSERT_GT(plain.width, 0);
    const auto flat = [&](int32_t x, int32_t y) {
        if (x < 2 || y < 2 || x >= plain.width - 2 || y >= plain.height - 2) return false;
        for (int32_t dy = -2; dy <= 2; ++dy)
            for (int32_t dx = -2; dx <= 2; ++dx)
                if (testsupport::PixelAt(plain, x + dx, y + dy) !=
                    testsupport::PixelAt(plain, x, y))
                    return false;
        return true;
    };
    for (const int32_t per120 : {150, 180, 210, 240, 360}) {
        SCOPED_TRACE(per120);
        const platform::Image scaled = Shot(script, "--scale " + std::to_string(per120 / 120.0));
        ASSERT_EQ(scaled.width, Edge(plain.width, per120));
        ASSERT_EQ(scaled.height, Edge(plain.height, per120));
        int32_t wrongFlat = 0;
        int32_t unlikeBlocks = 0;  // device pixels of non-flat areas unlike their 1x pixel
        for (int32_t y = 0; y < plain.height; ++y) {
            for (int32_t x = 0; x < plain.width; ++x) {
                const uint32_t colour = testsupport::PixelAt(plain, x, y);
                const bool isFlat = flat(x, y);
                for (int32_t v = Edge(y, per120); v < Edge(y + 1, per120); ++v) {
                    for (int32_t u = Edge(x, per120); u < Edge(x + 1, per120); ++u) {
                        const bool same = testsupport::PixelAt(scaled, u, v) == colour;
                        wrongFlat += isFlat && !same;
                        unlikeBlocks += !isFlat && !same;
                    }
                }
            }
        }
        EXPECT_EQ(wrongFlat, 0);
        // Text rendered at its own size differs from enlarged 1x text in many pixels.
        EXPECT_GT(unlikeBlocks, 500);
    }
}

}  // namespace
}  // namespace drive
