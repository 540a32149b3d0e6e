// Keys typed on the keyboard pressing the calculator's keys, on the headless display: the
// visible press, the Click after the release, repeats, Return, keys kept from the keypad by a
// mouse press or a message box, and copying and pasting the display.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "calculator/typed_keys.h"
#include "platform/ui/keysyms.h"
#include "program_env.h"

namespace calculator {
namespace {

using button::DrawnState;
using testing::kPastSplashMs;
using testing::ProgramEnv;

/// Types `text` a key a character, each let go at once.
platform::Script& Type(platform::Script& script, std::string_view text) {
    for (const char c : text)
        script.Stroke(static_cast<uint32_t>(c), static_cast<uint32_t>(c));
    return script.Advance(TypedKeys::kShortestDownMs);
}

/// Presses the key named as the X protocol names its symbol, or the key of a letter, for a
/// frame, with Shift or Ctrl held as `shift` says.
platform::Script& Named(platform::Script& script, std::string_view name, int32_t shift = 0) {
    const uint32_t keysym =
        name.size() == 1 ? static_cast<uint32_t>(name[0]) : platform::KeysymNamed(name);
    const platform::Keystroke stroke = platform::KeystrokeOf(keysym, keysym);
    if (shift & platform::kShiftShift)
        script.Pressed(platform::KeystrokeOf(platform::KeysymNamed("Shift_L"), 1));
    if (shift & platform::kShiftCtrl)
        script.Pressed(platform::KeystrokeOf(platform::KeysymNamed("Control_L"), 2));
    script
        .Pressed({stroke.key, stroke.keyCode, shift & platform::kShiftCtrl ? 0 : stroke.character})
        .Advance(TypedKeys::kShortestDownMs)
        .Released(stroke.key, stroke.keyCode);
    if (shift & platform::kShiftCtrl) script.Released(2, platform::kKeyCtrl);
    if (shift & platform::kShiftShift) script.Released(1, platform::kKeyShift);
    return script;
}

TEST(TypedKeysTest, TypingShowsWhatClickingTheSameKeysShows) {
    const struct {
        const char* typed;
        std::vector<std::string_view> clicked;
    } cases[] = {
        {"12.5*4=", {"1", "2", ",", "5", "X", "4", "="}},
        {"9,5-1/2=", {"9", ",", "5", "--", "1", "/", "2", "="}},
        {"3^3=q@", {"3", "x^y", "3", "=", "x^2", "sqrt"}},
        {"50%20=x2X", {"5", "0", "%", "2", "0", "=", "X", "2", "X"}},
        {"7+a~b", {"7", "+"}},  // characters bound to no key are no keys
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ProgramEnv typed;
        platform::Script typing;
        typing.Advance(kPastSplashMs);
        Type(typing, c.typed);
        typed.Run(typing);
        ProgramEnv clicked;
        platform::Script clicking = clicked.PastSplash(c.clicked);
        clicked.Run(clicking);
        EXPECT_EQ(typed.Main().txtBuffer.Text(), clicked.Main().txtBuffer.Text());
        EXPECT_EQ(typed.Main().GetEngine().State(), clicked.Main().GetEngine().State());
        EXPECT_TRUE(typed.boxes.empty());
    }
}

TEST(TypedKeysTest, NamedKeysPressTheirKeysWhateverHasTheFocus) {
    ProgramEnv env;
    platform::Script script;
    std::string seen;
    const auto look = [&] { seen += "[" + env.Main().txtBuffer.Text() + "]"; };
    script.Advance(kPastSplashMs);
    Type(script, "2+35");
    Named(script, "BackSpace").Call(look);
    script.Key(platform::kKeyTab).Key(platform::kKeyTab);  // the focus on key "2"
    Named(script, "Return").Call(look);
    Named(script, "KP_Enter").Call(look);
    Named(script, "F9").Call(look);
    Named(script, "Escape").Call(look);
    Type(script, "6");
    Named(script, "Delete").Call(look);
    env.Run(script);
    EXPECT_EQ(seen, "[3][5][8][-8][][]");
    EXPECT_EQ(env.system.FocusWindow(), &env.Main().KeyWithCaption("2")->Site().SiteWindow());
}

TEST(TypedKeysTest, AKeyIsDownWhileHeldAndClicksWhenLetGo) {
    ProgramEnv env;
    KeyControl* five = nullptr;
    std::string seen;  // the key's drawn state and the display, at each step
    const auto look = [&] {
        if (!five) five = env.Main().KeyWithCaption("5");
        seen += five->Button().LastDrawnState() == DrawnState::Down ? "down" : "up";
        seen += "[" + env.Main().txtBuffer.Text() + "] ";
    };
    platform::Script script;
    script.Advance(kPastSplashMs)
        .Pressed({'5', '5', '5'})
        .Call(look)
        .Advance(500)
        .Call(look)
        .Released('5', '5')
        .Call(look)
        // Let go at once: down for a frame, then the Click.
        .Pressed({'5', '5', '5'})
        .Released('5', '5')
        .Call(look)
        .Advance(TypedKeys::kShortestDownMs - 1)
        .Call(look)
        .Advance(1)
        .Call(look)
        // Held with repeats: a Click for each, and one at the release.
        .Pressed({'5', '5', '5'})
        .Advance(600)
        .Pressed({'5', '5', '5'})
        .Call(look)
        .Advance(40)
        .Pressed({'5', '5', '5'})
        .Advance(40)
        .Released('5', '5')
        .Call(look);
    env.Run(script);
    EXPECT_EQ(seen, "down[] down[] up[5] down[5] down[5] up[55] down[555] up[55555] ");
}

TEST(TypedKeysTest, AKeyHeldWithTheMouseKeepsTypedKeysOff) {
    ProgramEnv env;
    const platform::Rect one = testing::KeyBounds("1");
    platform::Script script;
    script.Advance(kPastSplashMs).MoveInWindow(env.Main(), one.left + 5, one.top + 5).Down();
    Type(script, "2+");
    script.Up();
    Type(script, "3");
    env.Run(script);
    EXPECT_EQ(env.Main().txtBuffer.Text(), "13");
}

// While a message box is up, typed keys are its own: Return answers it and the digit typed
// meanwhile never reaches the keypad behind.
TEST(TypedKeysTest, AMessageBoxKeepsTheTypedKeys) {
    ProgramEnv env;
    const forms::MessageBoxObserver envObserver =
        forms::SetMessageBoxObserver([](const forms::MessageBoxInfo&) { return std::nullopt; });
    bool boxWasUp = false;
    platform::Script script;
    script.Advance(kPastSplashMs);
    Type(script, "5/0=");  // Division by zero
    script.Call([&] { boxWasUp = env.system.FocusWindow()->TopLevel() != &env.Main(); });
    Type(script, "7+");
    Named(script, "Return");
    script.Advance(100);
    Type(script, "1");
    env.Run(script);
    forms::SetMessageBoxObserver(envObserver);
    EXPECT_TRUE(boxWasUp);
    EXPECT_EQ(env.system.FocusWindow()->TopLevel(), &env.Main());
    EXPECT_EQ(env.Main().txtBuffer.Text(), "01");
    EXPECT_EQ(env.Main().GetEngine().State().pendingOperator, "/");
}

TEST(TypedKeysTest, CopyTakesTheWholeDisplayUnlessPartIsSelected) {
    ProgramEnv env;
    std::string copied;
    const auto take = [&] { copied += "[" + env.backend.ClipboardText() + "]"; };
    platform::Script script = env.PastSplash({"4", "2", "0"});  // the focus on key "0"
    Named(script, "C", platform::kShiftCtrl).Call(take);
    script.Call([&] {
        env.Main().txtBuffer.Focus();
        env.Main().txtBuffer.Select(1, 2);
    });
    Named(script, "Insert", platform::kShiftCtrl).Call(take);
    script.Call([&] { env.Main().Keys()[0]->Site().SiteWindow().Focus(); });  // selection hidden
    Named(script, "C", platform::kShiftCtrl).Call(take);
    // A drag across the display makes its text the primary selection.
    const platform::Rect display = env.Main().txtBuffer.Bounds();
    script.MoveInWindow(env.Main(), display.left + 4, display.top + 8)
        .Down()
        .MoveInWindow(env.Main(), display.right - 4, display.top + 8)
        .Up();
    env.Run(script);
    EXPECT_EQ(copied, "[420][20][420]");
    EXPECT_EQ(env.backend.PrimaryText(), "420");
}

TEST(TypedKeysTest, PasteEntersANumberOrRefusesTheWholeTextWithTheBell) {
    const struct {
        std::string clipboard;
        std::string display;  // after a click on "7" and the paste
        int64_t bells;
    } cases[] = {
        {"42.5", "742,5", 0},  // the decimal key enters the separator
        {" 8,25\n", "78,25", 0},
        {"-3", "-73", 0},  // its digits, then "+/-"
        {"3.5.1", "7", 1},
        {"1e5", "7", 1},
        {"12a", "7", 1},
        {"", "7", 1},
        {std::string(31, '1'), "7", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard);
        ProgramOptions options;
        options.decimalSeparator = ",";
        ProgramEnv env(options);
        platform::Script script = env.PastSplash({"7"});
        script.Call([&] { env.backend.SetClipboardText(c.clipboard); });
        Named(script, "V", platform::kShiftCtrl);
        env.Run(script);
        EXPECT_EQ(env.Main().txtBuffer.Text(), c.display);
        EXPECT_EQ(env.backend.Bells(), c.bells);
    }
}

TEST(TypedKeysTest, ShiftInsertPastesAndAPasteThatWouldOverfillTheDisplayIsRefused) {
    ProgramEnv env;
    platform::Script script;
    std::string seen;
    script.Advance(kPastSplashMs).Call([&] { env.backend.SetClipboardText("-0.5"); });
    Named(script, "Insert", platform::kShiftShift).Call([&] {
        seen += "[" + env.Main().txtBuffer.Text() + "]";
        env.Main().txtBuffer.SetText(std::string(32765, '1'));
    });
    Named(script, "V", platform::kShiftCtrl);
    env.Run(script);
    EXPECT_EQ(seen, "[-0.5]");
    EXPECT_EQ(env.Main().txtBuffer.Length(), 32765u);
    EXPECT_EQ(env.backend.Bells(), 1);
}

}  // namespace
}  // namespace calculator
