// Keys typed on the keyboard pressing the calculator's keys, on the headless display: the
// visible press and the Click at the release, keys kept from the keypad by a mouse press or a
// message box, copy and paste.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "calculator/typed_keys.h"
#include "platform/ui/keysyms.h"
#include "program_env.h"

namespace calculator {
namespace {

using testing::kPastSplashMs;
using testing::ProgramEnv;

/// Types `text`, each key let go at once.
platform::Script& Type(platform::Script& script, std::string_view text) {
    for (const char c : text)
        script.Stroke(static_cast<uint32_t>(c), static_cast<uint32_t>(c));
    return script.Advance(TypedKeys::kShortestDownMs);
}

/// The letter or the key named `keysymName` with Ctrl (`ctrl`) or else Shift held.
platform::Script& Command(platform::Script& script, const char* keysymName, bool ctrl) {
    const uint32_t modifier = platform::KeysymNamed(ctrl ? "Control_L" : "Shift_L");
    const uint32_t keysym = keysymName[1] ? platform::KeysymNamed(keysymName) : keysymName[0];
    const platform::Keystroke stroke = platform::KeystrokeOf(keysym, keysym);
    return script.Pressed(platform::KeystrokeOf(modifier, modifier))
        .Pressed({stroke.key, stroke.keyCode, 0})
        .Released(stroke.key, stroke.keyCode)
        .Released(modifier, ctrl ? platform::kKeyCtrl : platform::kKeyShift);
}

TEST(TypedKeysTest, TypingShowsWhatClickingTheSameKeysShows) {
    const std::pair<const char*, std::vector<std::string_view>> cases[] = {
        {"12.5*4=", {"1", "2", ",", "5", "X", "4", "="}},
        {"9,5-1/2=", {"9", ",", "5", "--", "1", "/", "2", "="}},
        {"3^3=q@x2%a~", {"3", "x^y", "3", "=", "x^2", "sqrt", "X", "2", "%"}},
    };
    for (const auto& [typed, clicked] : cases) {
        SCOPED_TRACE(typed);
        ProgramEnv typing;
        platform::Script script;
        typing.Run(Type(script.Advance(kPastSplashMs), typed));
        ProgramEnv clicking;
        platform::Script clicks = clicking.PastSplash(clicked);
        clicking.Run(clicks);
        EXPECT_EQ(typing.Main().GetEngine().State(), clicking.Main().GetEngine().State());
        EXPECT_EQ(typing.Main().txtBuffer.Text(), clicking.Main().txtBuffer.Text());
    }
}

TEST(TypedKeysTest, AKeyIsDownWhileHeldAndClicksWhenLetGoAndAtEachRepeat) {
    ProgramEnv env;
    std::string seen;  // the key's drawn state and the display, at each look
    const auto look = [&] {
        const bool down =
            env.Main().KeyWithCaption("5")->Button().LastDrawnState() == button::DrawnState::Down;
        seen += down ? "down[" : "up[";
        seen += env.Main().txtBuffer.Text();
        seen += "] ";
    };
    const platform::Keystroke five{'5', '5', '5'};
    platform::Script script;
    script.Advance(kPastSplashMs).Pressed(five).Advance(500).Call(look).Released('5').Call(look);
    // Let go at once: down for a frame, then the Click.
    script.Pressed(five).Released('5').Advance(TypedKeys::kShortestDownMs - 1).Call(look);
    script.Advance(1).Call(look);
    // Two repeats while held: a Click for each and one at the release.
    script.Pressed(five).Advance(600).Pressed(five).Advance(40).Pressed(five).Call(look);
    script.Advance(40).Released('5').Call(look);
    env.Run(script);
    EXPECT_EQ(seen, "down[] up[5] down[5] up[55] down[5555] up[55555] ");
}

TEST(TypedKeysTest, AKeyHeldWithTheMouseKeepsTypedKeysOff) {
    ProgramEnv env;
    const platform::Rect one = testing::KeyBounds("1");
    platform::Script script;
    script.Advance(kPastSplashMs).MoveInWindow(env.Main(), one.left + 5, one.top + 5).Down();
    Type(script, "2+").Up();
    env.Run(Type(script, "3"));
    EXPECT_EQ(env.Main().txtBuffer.Text(), "13");
}

// While a message box is up, typed keys are its own: the digit typed meanwhile never reaches
// the keypad, and Return answers the box.
TEST(TypedKeysTest, AMessageBoxKeepsTheTypedKeys) {
    ProgramEnv env;
    const forms::MessageBoxObserver envObserver =
        forms::SetMessageBoxObserver([](const forms::MessageBoxInfo&) { return std::nullopt; });
    bool boxUp = false;
    platform::Script script;
    Type(script.Advance(kPastSplashMs), "5/0=").Call([&] {
        boxUp = env.system.FocusWindow()->TopLevel() != &env.Main();
    });
    Type(script, "7");
    script.Stroke(platform::KeysymNamed("Return"), 1).Advance(100);
    env.Run(Type(script, "1"));
    forms::SetMessageBoxObserver(envObserver);
    EXPECT_TRUE(boxUp);
    EXPECT_EQ(env.Main().txtBuffer.Text(), "01");
}

TEST(TypedKeysTest, CopyTakesTheWholeDisplayUnlessPartIsSelectedAndADragIsThePrimary) {
    ProgramEnv env;
    std::string copied;
    const auto take = [&] {
        copied += '[';
        copied += env.backend.ClipboardText();
        copied += ']';
    };
    platform::Script script = env.PastSplash({"4", "2", "0"});  // the focus on key "0"
    Command(script, "C", true).Call(take).Call([&] {
        env.Main().txtBuffer.Focus();
        env.Main().txtBuffer.Select(1, 2);
    });
    Command(script, "Insert", true).Call(take).Call([&] {
        env.Main().Keys()[0]->Site().SiteWindow().Focus();
    });
    Command(script, "C", true).Call(take);
    const platform::Rect display = env.Main().txtBuffer.Bounds();
    script.MoveInWindow(env.Main(), display.left + 4, display.top + 8)
        .Down()
        .MoveInWindow(env.Main(), display.right - 4, display.top + 8)
        .Up();
    env.Run(script);
    EXPECT_EQ(copied, "[420][20][420]");  // the selection hidden with the focus gone
    EXPECT_EQ(env.backend.PrimaryText(), "420");
}

// A number goes in as typed; anything else, or more than the display holds, rings the bell.
TEST(TypedKeysTest, PasteEntersANumberOrRefusesItWholeWithTheBell) {
    ProgramEnv env;
    std::string seen;
    const auto paste = [&](platform::Script & script, std::string text, bool ctrlV) -> auto& {
        script.Call([&env, text] { env.backend.SetClipboardText(text); });
        return Command(script, ctrlV ? "V" : "Insert", ctrlV).Call([&] {
            seen += env.Main().txtBuffer.Length() < 10 ? env.Main().txtBuffer.Text() : "long";
            seen += ' ';
            seen += std::to_string(env.backend.Bells());
        });
    };
    platform::Script script = env.PastSplash({"7"});
    paste(script, " -0.5\n", false);
    paste(script, "1e5", true).Call([&] { env.Main().txtBuffer.SetText(std::string(32765, '1')); });
    paste(script, "123", true);
    env.Run(script);
    EXPECT_EQ(seen, "-70.5 0-70.5 1long 2");
    EXPECT_EQ(env.Main().txtBuffer.Length(), 32765u);
}

}  // namespace
}  // namespace calculator
