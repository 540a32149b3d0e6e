// Keys typed on the keyboard pressing the calculator's keys, on the headless display: the
// visible press and the Click at the release, keys kept from the keypad by a mouse press or a
// message box, and a refused paste.
#include <gtest/gtest.h>

#include <string>

#include "calculator/typed_keys.h"
#include "platform/display/keysyms.h"
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
    // Held while the keyboard goes to another program's window: up with its Click at once, and
    // the release that other window got never comes.
    script.Pressed(five).Advance(40).Call(look).Call([&] { env.system.KeyboardLeft(); });
    script.Call(look).Advance(600).Call(look);
    env.Run(script);
    EXPECT_EQ(seen,
              "down[] up[5] down[5] up[55] down[5555] up[55555] down[55555] up[555555] "
              "up[555555] ");
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
    Type(script, "7").Stroke(platform::KeysymNamed("Return"), 1).Advance(100);
    env.Run(Type(script, "1"));
    forms::SetMessageBoxObserver(envObserver);
    EXPECT_TRUE(boxUp);
    EXPECT_EQ(env.Main().txtBuffer.Text(), "01");
}

// A paste right after a typed key comes after that key's Click, though the key is still shown
// down for its frame.
TEST(TypedKeysTest, APasteFollowsTheKeyTypedJustBeforeIt) {
    ProgramEnv env;
    const uint32_t ctrl = platform::KeysymNamed("Control_L");
    const uint32_t escape = platform::KeysymNamed("Escape");
    platform::Script script = env.PastSplash({"4", "2"});
    script.Call([&env] { env.backend.SetClipboardText("42.5"); })
        .Stroke(escape, escape)
        .Pressed(platform::KeystrokeOf(ctrl, ctrl))
        .Pressed({'V', 'V', 0})
        .Released('V', 'V')
        .Released(ctrl, platform::kKeyCtrl);
    env.Run(script.Advance(100));
    EXPECT_EQ(env.Main().txtBuffer.Text(), "42.5");
}

// Text that is no number, or more than the display holds, is refused whole with the bell.
TEST(TypedKeysTest, ARefusedPasteRingsTheBell) {
    ProgramEnv env;
    const uint32_t ctrl = platform::KeysymNamed("Control_L");
    platform::Script script = env.PastSplash({"7"});
    for (const char* text : {"1e5", "123", "-4"}) {
        script.Call([&env, text] { env.backend.SetClipboardText(text); })
            .Pressed(platform::KeystrokeOf(ctrl, ctrl))
            .Pressed({'V', 'V', 0})
            .Released('V', 'V')
            .Released(ctrl, platform::kKeyCtrl)
            .Call([&] { env.Main().txtBuffer.SetText(std::string(32765, '1')); });
    }
    env.Run(script);
    EXPECT_EQ(env.backend.Bells(), 2);
    EXPECT_EQ(env.Main().txtBuffer.Text(), std::string(32765, '1'));
}

}  // namespace
}  // namespace calculator
