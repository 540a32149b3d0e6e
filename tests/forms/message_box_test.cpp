#include "forms/message_box.h"

#include <gtest/gtest.h>

#include "form_test_env.h"
#include "forms/message_box_button.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/ui/keys.h"

namespace forms {
namespace {

using platform::Script;
using testing::DesignOfPixels;
using testing::FormTestEnv;

// Records every box shown and leaves the answer to the input.
class ObserverScope {
  public:
    ObserverScope() {
        previous_ = SetMessageBoxObserver([this](const MessageBoxInfo& info) {
            seen.push_back(info);
            const platform::Window* w = info.window;
            bounds.push_back(w->Bounds());
            // The box is gone once ShowMessageBox returns: what it is to the desktop is read now.
            owners.push_back(w->Owner());
            roles.push_back(w->Role());
            for (const platform::Window* child : w->Children())
                buttonCentres.push_back(
                    child->ClientToScreen({child->ClientWidth() / 2, child->ClientHeight() / 2}));
            return answer;
        });
    }
    ~ObserverScope() { SetMessageBoxObserver(std::move(previous_)); }

    std::vector<MessageBoxInfo> seen;
    std::vector<platform::Rect> bounds;
    std::vector<const platform::Window*> owners;
    std::vector<platform::WindowRole> roles;
    std::vector<platform::Point> buttonCentres;
    std::optional<MessageBoxAnswer> answer;

  private:
    MessageBoxObserver previous_;
};

TEST(MessageBoxTest, SplitsLinesAtCarriageReturns) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"one", {"one"}},
        {"a\rb", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\r", {"a"}},
        {"\ra", {"", "a"}},
        {"A\rB\rC\r\rThanks", {"A", "B", "C", "", "Thanks"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitMessageLines(c.text), c.lines) << c.text;
}

struct KeyCase {
    const char* name;
    MessageBoxButtons buttons;
    std::function<void(Script&)> keys;
    MessageBoxAnswer answer;
};

TEST(MessageBoxTest, AnsweredByKeyboard) {
    using platform::kKeyEnter;
    using platform::kKeyEscape;
    using platform::kKeySpace;
    using platform::kKeyTab;
    const std::vector<KeyCase> cases = {
        {"enter takes yes", MessageBoxButtons::YesNo, [](Script& s) { s.Key(kKeyEnter); },
         MessageBoxAnswer::Yes},
        {"enter takes default no", MessageBoxButtons::YesNoDefaultNo,
         [](Script& s) { s.Key(kKeyEnter); }, MessageBoxAnswer::No},
        {"escape takes no", MessageBoxButtons::YesNo, [](Script& s) { s.Key(kKeyEscape); },
         MessageBoxAnswer::No},
        {"escape takes ok", MessageBoxButtons::Ok, [](Script& s) { s.Key(kKeyEscape); },
         MessageBoxAnswer::Ok},
        {"enter takes ok", MessageBoxButtons::Ok, [](Script& s) { s.Key(kKeyEnter); },
         MessageBoxAnswer::Ok},
        {"tab then enter", MessageBoxButtons::YesNo,
         [](Script& s) { s.Key(kKeyTab).Key(kKeyEnter); }, MessageBoxAnswer::No},
        {"tab twice wraps", MessageBoxButtons::YesNo,
         [](Script& s) { s.Key(kKeyTab).Key(kKeyTab).Key(kKeyEnter); }, MessageBoxAnswer::Yes},
        {"shift+tab", MessageBoxButtons::YesNoDefaultNo,
         [](Script& s) {
             s.KeyDown(platform::kKeyShift).Key(kKeyTab).KeyUp(platform::kKeyShift).Key(kKeyEnter);
         },
         MessageBoxAnswer::Yes},
        {"space", MessageBoxButtons::YesNoDefaultNo, [](Script& s) { s.Key(kKeySpace); },
         MessageBoxAnswer::No},
        {"letter n", MessageBoxButtons::YesNo, [](Script& s) { s.Char('n'); },
         MessageBoxAnswer::No},
        {"letter Y", MessageBoxButtons::YesNoDefaultNo, [](Script& s) { s.Char('Y'); },
         MessageBoxAnswer::Yes},
        {"letter o", MessageBoxButtons::Ok, [](Script& s) { s.Char('o'); }, MessageBoxAnswer::Ok},
        {"right then space takes no", MessageBoxButtons::YesNo,
         [](Script& s) { s.Key(platform::kKeyRight).Key(kKeySpace); }, MessageBoxAnswer::No},
        {"down wraps from no to yes", MessageBoxButtons::YesNoDefaultNo,
         [](Script& s) { s.Key(platform::kKeyDown).Key(kKeyEnter); }, MessageBoxAnswer::Yes},
        {"left wraps from yes to no", MessageBoxButtons::YesNo,
         [](Script& s) { s.Key(platform::kKeyLeft).Key(kKeyEnter); }, MessageBoxAnswer::No},
        {"up goes back", MessageBoxButtons::YesNoDefaultNo,
         [](Script& s) { s.Key(platform::kKeyUp).Key(kKeyEnter); }, MessageBoxAnswer::Yes},
        {"alt+f4 takes no", MessageBoxButtons::YesNo,
         [](Script& s) {
             s.KeyDown(platform::kKeyAlt).Key(platform::kKeyF4).KeyUp(platform::kKeyAlt);
         },
         MessageBoxAnswer::No},
        {"other letters do nothing", MessageBoxButtons::YesNo,
         [](Script& s) { s.Char('q').Char('o').Key(kKeyTab).Key(kKeyEnter); },
         MessageBoxAnswer::No},
    };
    for (const KeyCase& c : cases) {
        FormTestEnv env;
        ObserverScope observer;
        Script script;
        c.keys(script);
        env.backend.SetInputSource(std::move(script).Source());
        const MessageBoxAnswer answer =
            ShowMessageBox(env.system, nullptr, "Exit", "Are you sure you want to quit ?",
                           c.buttons, MessageBoxIcon::None);
        EXPECT_EQ(answer, c.answer) << c.name;
        ASSERT_EQ(observer.seen.size(), 1u) << c.name;
        EXPECT_TRUE(env.system.TopLevels().empty()) << c.name;
    }
}

TEST(MessageBoxTest, AnsweredByMouse) {
    // The first box shows where the buttons are; an identical second one is clicked there.
    FormTestEnv env;
    ObserverScope observer;
    observer.answer = MessageBoxAnswer::Yes;
    EXPECT_EQ(ShowMessageBox(env.system, nullptr, "Exit", "Quit ?", MessageBoxButtons::YesNo,
                             MessageBoxIcon::None),
              MessageBoxAnswer::Yes);
    ASSERT_EQ(observer.buttonCentres.size(), 2u);
    const platform::Point no = observer.buttonCentres[1];
    const platform::Point yes = observer.buttonCentres[0];
    observer.answer.reset();

    // A press on No released over Yes chooses nothing; then a click on No.
    Script script;
    script.MoveTo(no.x, no.y).Down().MoveTo(yes.x, yes.y).Up().Advance(1000);
    script.MoveTo(no.x, no.y).Down().Up();
    env.backend.SetInputSource(std::move(script).Source());
    EXPECT_EQ(ShowMessageBox(env.system, nullptr, "Exit", "Quit ?", MessageBoxButtons::YesNo,
                             MessageBoxIcon::None),
              MessageBoxAnswer::No);
    EXPECT_EQ(env.backend.NowMs(), 1000);
}

TEST(MessageBoxTest, ObserverSeesTheBoxAndMayAnswerIt) {
    FormTestEnv env;
    platform::Window owner(env.system, nullptr, {0, 0, 50, 50});
    ObserverScope observer;
    observer.answer = MessageBoxAnswer::No;
    const MessageBoxAnswer answer =
        ShowMessageBox(env.system, &owner, "About", "Author : X\rE-mail : y\r\rThanks",
                       MessageBoxButtons::Ok, MessageBoxIcon::Information);
    EXPECT_EQ(answer, MessageBoxAnswer::No);
    ASSERT_EQ(observer.seen.size(), 1u);
    const MessageBoxInfo& info = observer.seen[0];
    EXPECT_EQ(info.owner, &owner);
    EXPECT_EQ(info.title, "About");
    EXPECT_EQ(info.lines, (std::vector<std::string>{"Author : X", "E-mail : y", "", "Thanks"}));
    EXPECT_EQ(info.buttons, MessageBoxButtons::Ok);
    EXPECT_EQ(info.icon, MessageBoxIcon::Information);
    // The desktop keeps it above its owner, as a dialog.
    EXPECT_EQ(observer.owners, (std::vector<const platform::Window*>{&owner}));
    EXPECT_EQ(observer.roles, std::vector{platform::WindowRole::Dialog});
}

TEST(MessageBoxTest, BoxIsCentredAndGrowsWithItsLines) {
    FormTestEnv env;
    ObserverScope observer;
    observer.answer = MessageBoxAnswer::Ok;
    ShowMessageBox(env.system, nullptr, "t", "one", MessageBoxButtons::Ok, MessageBoxIcon::None);
    ShowMessageBox(env.system, nullptr, "t", "one\rtwo\rthree\r\rfive", MessageBoxButtons::Ok,
                   MessageBoxIcon::None);
    ASSERT_EQ(observer.bounds.size(), 2u);
    const platform::Rect one = observer.bounds[0];
    const platform::Rect five = observer.bounds[1];
    EXPECT_EQ((five.Height() - one.Height()) % 4, 0);
    EXPECT_GT(five.Height(), one.Height());
    for (const platform::Rect& r : observer.bounds) {
        EXPECT_EQ(r.left, (640 - r.Width()) / 2);
        EXPECT_EQ(r.top, (480 - r.Height()) / 2);
    }
}

// A short message under a long title: the title bar shows the whole title, in a bold face of
// 10 points as window managers draw it, beside the window menu and three buttons.
TEST(MessageBoxTest, BoxIsWideEnoughForItsTitle) {
    FormTestEnv env;
    ObserverScope observer;
    observer.answer = MessageBoxAnswer::Ok;
    const std::string title = "Tavik Calculator 2.0 has a long title";
    ShowMessageBox(env.system, nullptr, title, "0", MessageBoxButtons::Ok, MessageBoxIcon::None);
    const auto bold = platform::PlainFont("DejaVu Sans", 100000, platform::kFontWeightBold);
    ASSERT_EQ(observer.bounds.size(), 1u);
    EXPECT_GE(observer.bounds[0].Width(),
              platform::TextWidth(*platform::LoadFont(bold), title) + 4 * 24);
}

TEST(MessageBoxTest, CloseBoxAnswersAsEscapeDoes) {
    for (const auto& [buttons, answer] :
         {std::pair{MessageBoxButtons::Ok, MessageBoxAnswer::Ok},
          std::pair{MessageBoxButtons::YesNo, MessageBoxAnswer::No}}) {
        FormTestEnv env;
        ObserverScope observer;
        // A close box that did nothing would leave the box to the "y" after it.
        Script script;
        script.Call([&] { env.system.CloseRequest(env.system.TopLevels().back()->Handle()); })
            .Char('y');
        env.backend.SetInputSource(std::move(script).Source());
        EXPECT_EQ(ShowMessageBox(env.system, nullptr, "t", "x", buttons, MessageBoxIcon::None),
                  answer);
    }
}

TEST(MessageBoxTest, EndOfInputGivesTheEscapeAnswer) {
    FormTestEnv env;
    EXPECT_EQ(ShowMessageBox(env.system, nullptr, "t", "x", MessageBoxButtons::YesNo,
                             MessageBoxIcon::Exclamation),
              MessageBoxAnswer::No);
}

TEST(MessageBoxTest, CloseRequestAnsweredNoKeepsTheFormOpen) {
    FormTestEnv env;
    Form form(env.system, DesignOfPixels(100, 100, 0));
    std::vector<MessageBoxAnswer> answers;
    form.SetCloseRequestHandler([&](bool& cancel) {
        const MessageBoxAnswer a =
            ShowMessageBox(env.system, &form, "Exit", "Are you sure you want to quit ?",
                           MessageBoxButtons::YesNo, MessageBoxIcon::None);
        answers.push_back(a);
        cancel = a == MessageBoxAnswer::No;
    });
    form.ShowForm();
    Script script;
    script.Call([&] { env.system.CloseRequest(form.Handle()); })
        .Key(platform::kKeyEscape)
        .Call([&] { EXPECT_TRUE(form.IsVisible()); })
        .Call([&] { env.system.CloseRequest(form.Handle()); })
        .Key(platform::kKeyEnter);
    env.backend.SetInputSource(std::move(script).Source());
    env.system.Run();
    EXPECT_EQ(answers,
              (std::vector<MessageBoxAnswer>{MessageBoxAnswer::No, MessageBoxAnswer::Yes}));
    EXPECT_FALSE(form.IsVisible());
}

TEST(MessageBoxTest, IconPixels) {
    FormTestEnv env;
    ObserverScope observer;
    std::vector<platform::Surface> shots;
    SetMessageBoxObserver([&](const MessageBoxInfo& info) -> std::optional<MessageBoxAnswer> {
        shots.push_back(env.backend.Native(info.window->NativeId())->screen);
        return MessageBoxAnswer::Ok;
    });
    ShowMessageBox(env.system, nullptr, "t", "x", MessageBoxButtons::Ok,
                   MessageBoxIcon::Information);
    ShowMessageBox(env.system, nullptr, "t", "x", MessageBoxButtons::Ok,
                   MessageBoxIcon::Exclamation);
    ASSERT_EQ(shots.size(), 2u);
    const platform::Surface& info = shots[0];
    EXPECT_EQ(info.Pixel(12 + 16, 12 + 3), 0x00FF0000u);   // blue disc
    EXPECT_EQ(info.Pixel(12 + 15, 12 + 7), 0x00FFFFFFu);   // the dot of the i
    EXPECT_EQ(info.Pixel(12 + 15, 12 + 20), 0x00FFFFFFu);  // its stem
    EXPECT_EQ(info.Pixel(12 + 15, 12 + 11), 0x00FF0000u);  // between them
    const platform::Surface& warn = shots[1];
    EXPECT_EQ(warn.Pixel(12 + 12, 12 + 25), 0x0000FFFFu);  // yellow
    EXPECT_EQ(warn.Pixel(12 + 15, 12 + 15), 0x00000000u);  // the bar of the !
    EXPECT_EQ(warn.Pixel(12 + 16, 12 + 30), 0x00000000u);  // the base
    EXPECT_EQ(warn.Pixel(12 + 1, 12 + 5), 0x00C8D0D4u);    // outside the triangle
}

}  // namespace
}  // namespace forms
