// The calculator window driven through the headless display: key clicks reaching the engine,
// the tab order, the quit question, About, failures, and the start-up with another copy running.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "calculator/keypad.h"
#include "forms/units.h"
#include "platform/ui/keys.h"
#include "program_env.h"

namespace calculator {
namespace {

using forms::MessageBoxAnswer;
using forms::MessageBoxButtons;
using forms::MessageBoxIcon;
using testing::kPastSplashMs;
using testing::ProgramEnv;

TEST(MainWindowTest, IsMadeFromTheDesign) {
    ProgramEnv env;
    main& window = env.Main();
    EXPECT_TRUE(window.Keys().empty());  // made once the splash is on the screen
    platform::Script script = env.PastSplash();
    env.Run(script);
    EXPECT_EQ(window.Title(), "Tavik Calculator 2.0");
    EXPECT_TRUE(window.IsBordered());
    EXPECT_EQ(window.ClientWidth(), 312);
    EXPECT_EQ(window.ClientHeight(), 324);
    EXPECT_EQ(window.txtBuffer.Bounds(), platform::Rect::FromSize(24, 16, 265, 27));
    EXPECT_EQ(window.txtBuffer.TabIndex(), 0);
    EXPECT_EQ(window.lblabout.Caption(), "About");
    EXPECT_EQ(window.lblabout.Pointer(), platform::PointerKind::Custom);
    EXPECT_EQ(window.Shape1.BorderColor(), 0x00FF0000u);
    EXPECT_EQ(window.Shape2.BorderColor(), 0x000000FFu);
    EXPECT_EQ(window.Shape3.BorderColor(), 0x0000FF00u);
    EXPECT_EQ(window.cmdNumber.Count(), 13u);
    EXPECT_EQ(window.cmdoperator.Count(), 6u);

    // Every key from its stored bag, at its place, in its group under its index.
    ASSERT_EQ(window.Keys().size(), kKeypad.size());
    for (size_t i = 0; i < kKeypad.size(); ++i) {
        const KeypadKey& row = kKeypad[i];
        SCOPED_TRACE(std::string(row.caption));
        KeyControl& key = *window.Keys()[i];
        // The decimal key shows the separator it enters, here the default ".".
        EXPECT_EQ(key.Caption(), row.caption == "," ? "." : row.caption);
        EXPECT_EQ(key.Button().ButtonType(), 14);
        EXPECT_EQ(key.Button().BackColor(), row.colours.back);
        const TwipsBounds& twips = row.bounds;
        EXPECT_EQ(key.Site().SiteWindow().Bounds(),
                  forms::TwipsRect(twips.left, twips.top, twips.width, twips.height));
        EXPECT_EQ(key.Site().SiteWindow().TabIndex(), row.tabIndex);
        if (row.name == "cmdNumber") {
            EXPECT_EQ(&window.cmdNumber[*row.index], &key);
        } else if (row.name == "cmdoperator") {
            EXPECT_EQ(&window.cmdoperator[*row.index], &key);
        }
    }
}

TEST(MainWindowTest, KeyClicksReachTheEngineAndTheDisplay) {
    struct Case {
        std::vector<std::string_view> keys;
        std::string display;
    };
    const Case cases[] = {
        {{"2", "+", "3", "="}, "5"},
        {{"2", "+", "3", "=", "="}, "8"},
        {{"8", "--", "3", "="}, "5"},
        {{"1", "2", "+/-"}, "-12"},
        {{"9", "0", "0", "C"}, "90"},
        {{"7", "00", "000"}, "700000"},
        {{"2", "x^2"}, "4"},
        {{"5", "0", "%", "2", "0", "="}, "10"},
        {{"2", "x^y", "1", "0", "="}, "1024"},
        {{"4", "X", "6", "=", "Clear"}, ""},
        {{"9", "sqrt"}, "3"},
        {{"2", ",", "5", "/", "2", "="}, "1.25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        ProgramEnv env;
        platform::Script script = env.PastSplash(c.keys);
        env.Run(script);
        EXPECT_EQ(env.Main().txtBuffer.Text(), c.display);
        EXPECT_EQ(env.Main().GetEngine().State().displayText, c.display);
        EXPECT_TRUE(env.boxes.empty());
    }
}

TEST(MainWindowTest, TheDisplayTakesNoTypedCharacters) {
    ProgramEnv env;
    platform::Script script = env.PastSplash({"4"});
    script.Call([&] { env.Main().txtBuffer.Focus(); }).Char('7').Char('a').Advance(10);
    env.Run(script);
    EXPECT_EQ(env.Main().txtBuffer.Text(), "4");
}

// Delete edits the display box itself (it is a key, not a character); the next key works on
// the edited text, since the display box is where the entry lives.
TEST(MainWindowTest, AnEditInTheDisplayIsWhatTheNextKeyWorksOn) {
    ProgramEnv env;
    platform::Script script = env.PastSplash({"9", "0"});
    script.Call([&] { env.Main().txtBuffer.Focus(); })
        .Key(platform::kKeyLeft)
        .Key(platform::kKeyDelete)
        .Advance(10);
    env.Click(script, "+");
    env.Click(script, "1");
    env.Click(script, "=");
    env.Run(script);
    EXPECT_EQ(env.Main().txtBuffer.Text(), "10");
    EXPECT_EQ(env.Main().GetEngine().State().firstOperand, 9.0f);
}

// An entry key that would take the display past 32,767 characters only rings the bell.
TEST(MainWindowTest, TheDisplayStopsAtItsMaximumLengthWithTheBell) {
    ProgramEnv env;
    std::string seen;  // the display's length and the bells rung, after each key
    platform::Script script;
    script.Advance(kPastSplashMs).Call([&] {
        env.Main().txtBuffer.SetText(std::string(32765, '1'));
    });
    for (const std::string_view key : {"00", "0", "00", "C", "0"}) {
        env.Click(script, key).Call([&] {
            seen += std::to_string(env.Main().txtBuffer.Length()) + "/" +
                    std::to_string(env.backend.Bells()) + " ";
        });
    }
    env.Run(script);
    EXPECT_EQ(seen, "32767/0 32767/1 32767/2 32766/2 32767/2 ");
    EXPECT_EQ(env.Main().GetEngine().State().displayText, env.Main().txtBuffer.Text());
}

TEST(MainWindowTest, TabMovesFromTheDisplayThroughTheKeysInTabIndexOrder) {
    ProgramEnv env;
    std::vector<std::string> order;
    platform::Script script;
    script.Advance(kPastSplashMs).Call([&] {
        EXPECT_EQ(env.system.FocusWindow(), &env.Main().txtBuffer);
    });
    // Through every key of the keypad and round to the display again.
    for (size_t i = 0; i < std::size(kKeypad) + 1; ++i) {
        script.Key(platform::kKeyTab).Call([&] {
            const platform::Window* focus = env.system.FocusWindow();
            std::string name = focus == &env.Main().txtBuffer ? "display" : "?";
            for (const auto& key : env.Main().Keys()) {
                if (&key->Site().SiteWindow() == focus) name = key->Caption();
            }
            order.push_back(name);
        });
    }
    env.Run(script);
    const std::vector<std::string> expected = {
        "1",  "2", "3", "4", "5", "6",   "7",  "8",   "9",   "0",    ".",   "Clear", "+",
        "--", "X", "/", "=", "C", "000", "00", "x^2", "x^y", "sqrt", "+/-", "%",     "display"};
    EXPECT_EQ(order, expected);
}

TEST(MainWindowTest, ClosingAsksAndNoKeepsEverything) {
    ProgramEnv env;
    env.answers = {MessageBoxAnswer::No, MessageBoxAnswer::No};
    EngineState before;
    platform::Script script = env.PastSplash({"2", "+", "3"});
    script.Call([&] { before = env.Main().GetEngine().State(); })
        .Call([&] { env.system.CloseRequest(env.Main().Handle()); })  // the close box
        .Key(platform::kKeyF4, platform::kShiftAlt)
        .Advance(10);
    env.Click(script, "=");
    env.Run(script);

    ASSERT_EQ(env.boxes.size(), 2u);
    for (const forms::MessageBoxInfo& box : env.boxes) {
        EXPECT_EQ(box.title, "Exit");
        EXPECT_EQ(box.text, "Are you sure you want to quit ?");
        EXPECT_EQ(box.buttons, MessageBoxButtons::YesNo);
        EXPECT_EQ(box.icon, MessageBoxIcon::None);
        EXPECT_EQ(box.owner, &env.Main());
    }
    EXPECT_EQ(before.displayText, "3");
    EXPECT_EQ(before.pendingOperator, "+");
    EXPECT_TRUE(env.Main().IsVisible());
    EXPECT_FALSE(env.program.Ended());
    EXPECT_EQ(env.Main().txtBuffer.Text(), "5");  // the pending sum survived both questions
}

TEST(MainWindowTest, ClosingWithYesEndsTheProgram) {
    ProgramEnv env;
    env.answers = {MessageBoxAnswer::Yes};
    bool ranAfterQuit = false;
    platform::Script script;
    script.Advance(kPastSplashMs)
        .Call([&] { env.system.CloseRequest(env.Main().Handle()); })
        .Advance(100)
        .Call([&] { ranAfterQuit = true; });
    env.Run(script);
    ASSERT_EQ(env.boxes.size(), 1u);
    EXPECT_TRUE(env.program.Ended());
    EXPECT_FALSE(env.Main().IsVisible());
    EXPECT_FALSE(ranAfterQuit);  // the message loop ended with the answer
}

TEST(MainWindowTest, AboutShowsTheAuthorInFiveLines) {
    ProgramEnv env;
    platform::Script script = env.PastSplash({"7"});
    const platform::Rect about = env.Main().lblabout.Bounds();
    script.MoveInWindow(env.Main(), about.left + 10, about.top + 10).Down().Up().Advance(10);
    env.Run(script);

    ASSERT_EQ(env.boxes.size(), 1u);
    const forms::MessageBoxInfo& box = env.boxes[0];
    EXPECT_EQ(box.title, "About");
    EXPECT_EQ(box.icon, MessageBoxIcon::Information);
    EXPECT_EQ(box.buttons, MessageBoxButtons::Ok);
    EXPECT_EQ(box.text,
              "Author         : Tavik Software\r"
              "E-mail          : calculator@tavik.example\r"
              "Web Site     : https://tavik.example\r"
              "\r"
              "Thank you for using this program");
    EXPECT_EQ(box.lines.size(), 5u);
    EXPECT_EQ(env.Main().txtBuffer.Text(), "7");
}

TEST(MainWindowTest, AFailedStepIsReportedAndTheDisplayKeepsItsText) {
    struct Case {
        std::vector<std::string_view> keys;
        std::string message;
        std::string display;
    };
    const Case cases[] = {
        {{"5", "/", "0", "="},
         "Division by zero\rEnter another number to divide by, or press Clear to start again.",
         "0"},
        // The decimal key enters the separator.
        {{",", "+"},
         "Invalid number\rTake the last character back with C, or press Clear to start again.",
         "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ProgramEnv env;
        platform::Script script = env.PastSplash(c.keys);
        env.Click(script, "1");  // the calculator goes on after the message
        env.Run(script);
        ASSERT_EQ(env.boxes.size(), 1u);
        EXPECT_EQ(env.boxes[0].title, "Tavik Calculator 2.0");
        EXPECT_EQ(env.boxes[0].text, c.message);
        EXPECT_EQ(env.boxes[0].icon, MessageBoxIcon::Exclamation);
        EXPECT_EQ(env.boxes[0].buttons, MessageBoxButtons::Ok);
        EXPECT_EQ(env.Main().txtBuffer.Text(), c.display + "1");
    }
}

TEST(MainWindowTest, AnotherCopyRunningShowsNothing) {
    ProgramOptions options;
    options.anotherInstanceRunning = [] { return true; };
    ProgramEnv env(std::move(options));
    platform::Script script = env.PastSplash();
    env.Run(script);
    EXPECT_TRUE(env.program.Ended());
    EXPECT_TRUE(env.Main().EndedAtStart());
    EXPECT_TRUE(env.system.QuitRequested());
    EXPECT_EQ(env.Main().NativeId(), 0u);
    EXPECT_TRUE(env.system.TopLevels().size() == 1u);  // the calculator, never shown
    EXPECT_TRUE(env.boxes.empty());
}

// A second start of the program hands over its launch: the splash ignores it, the calculator
// comes forward, and so does the question the calculator waits on.
TEST(MainWindowTest, AnotherLaunchBringsForwardWhatTheUserMustSee) {
    ProgramEnv env;
    const auto activated = [&](const platform::Window& w) {
        const platform::HeadlessBackend::NativeWindow* native = env.backend.Native(w.NativeId());
        return native ? std::to_string(native->activations) + " " + native->lastStartupToken
                      : std::string("not shown");
    };
    std::vector<std::string> seen;
    forms::SetMessageBoxObserver([&](const forms::MessageBoxInfo& box) {
        env.Main().ShowAgain("while-asking");
        seen.push_back("question " + activated(*box.window));
        return std::optional(MessageBoxAnswer::No);
    });
    platform::Script script;
    script.Advance(1000).Call([&] {
        env.Main().ShowAgain("during-splash");
        for (const platform::Window* top : env.system.TopLevels())
            seen.push_back(activated(*top));
    });
    script.Advance(kPastSplashMs).Call([&] {
        env.Main().ShowAgain("shown");
        seen.push_back("calculator " + activated(env.Main()));
        env.Main().Close();
    });
    env.Run(script);
    EXPECT_EQ(seen, (std::vector<std::string>{"not shown", "0 ", "calculator 1 shown",
                                              "question 1 while-asking"}));
    EXPECT_TRUE(env.Main().IsVisible());
}

TEST(MainWindowTest, TheCalculatorIsShownOnlyAsTheSplashCloses) {
    ProgramEnv env;
    bool shownDuringSplash = true;
    platform::Script script;
    script.Advance(4000).Call([&] { shownDuringSplash = env.Main().IsVisible(); });
    script.Advance(1000);
    env.Run(script);
    EXPECT_FALSE(shownDuringSplash);
    EXPECT_TRUE(env.Main().IsVisible());
    EXPECT_NE(env.Main().NativeId(), 0u);
}

}  // namespace
}  // namespace calculator
