#include "forms/text_box.h"

#include <gtest/gtest.h>

#include "form_test_env.h"
#include "platform/gfx/rect_paint.h"
#include "platform/objects/ole_color.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "platform/ui/keys.h"

namespace forms {
namespace {

using testing::DesignOfPixels;
using testing::FormTestEnv;

constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr size_t kMax = TextBox::kMaxLength;

/// What the scripted clipboard gives a paste.
std::string ClipboardText(FormTestEnv& env) {
    std::string text = "(no answer)";
    env.backend.Clipboard().RequestClipboardText([&text](std::string got) { text = got; });
    return text;
}

struct TextBoxForm {
    explicit TextBoxForm(FormTestEnv& env)
        : system(env.system),
          form(env.system, DesignOfPixels(200, 40, 0x00C0C0C0)),
          box(form, {10, 5, 190, 32}) {
        box.SetBackColor(kBlack);
        box.SetForeColor(kGreen);
        form.ShowForm();
    }
    void Type(std::string_view text) {
        for (const char c : text)
            system.Character(c);
    }
    void Key(int32_t keyCode) {
        system.KeyDown(keyCode);
        system.KeyUp(keyCode);
    }
    void ShiftKey(int32_t keyCode) {
        system.KeyDown(platform::kKeyShift);
        Key(keyCode);
        system.KeyUp(platform::kKeyShift);
    }
    platform::WindowSystem& system;
    Form form;
    TextBox box;
};

TEST(TextBoxTest, TakesTheFocusWhenTheFormShows) {
    FormTestEnv env;
    TextBoxForm f(env);
    EXPECT_TRUE(f.box.HasFocus());
}

TEST(TextBoxTest, KeyPressFilterCanChangeOrDropCharacters) {
    FormTestEnv env;
    TextBoxForm f(env);
    std::vector<int32_t> seen;
    f.box.SetKeyPressFilter([&](int32_t& c) {
        seen.push_back(c);
        if (c == '.') {
            c = ',';
        } else if (c < '0' || c > '9') {
            c = 0;
        }
    });
    f.Type("1a2.3 x");
    EXPECT_EQ(f.box.Text(), "12,3");
    EXPECT_EQ(seen.size(), 7u);
}

TEST(TextBoxTest, EditingKeys) {
    struct Case {
        const char* name;
        std::function<void(TextBoxForm&)> act;
        const char* text;
        size_t caret;
    };
    const std::vector<Case> cases = {
        {"backspace", [](TextBoxForm& f) { f.system.Character(platform::kKeyBackspace); }, "1234",
         4},
        {"left then type",
         [](TextBoxForm& f) {
             f.Key(platform::kKeyLeft);
             f.Type("x");
         },
         "1234x5", 5},
        {"delete after home",
         [](TextBoxForm& f) {
             f.Key(36);
             f.Key(platform::kKeyDelete);
         },
         "2345", 0},
        {"delete at end", [](TextBoxForm& f) { f.Key(platform::kKeyDelete); }, "12345", 5},
        {"backspace at start",
         [](TextBoxForm& f) {
             f.Key(36);
             f.system.Character(platform::kKeyBackspace);
         },
         "12345", 0},
        {"shift+left twice then type",
         [](TextBoxForm& f) {
             f.ShiftKey(platform::kKeyLeft);
             f.ShiftKey(platform::kKeyLeft);
             f.Type("9");
         },
         "1239", 4},
        {"shift+home then backspace",
         [](TextBoxForm& f) {
             f.ShiftKey(36);
             f.system.Character(platform::kKeyBackspace);
         },
         "", 0},
        {"enter and escape enter nothing",
         [](TextBoxForm& f) {
             f.system.Character(13);
             f.system.Character(27);
         },
         "12345", 5},
    };
    for (const Case& c : cases) {
        FormTestEnv env;
        TextBoxForm f(env);
        f.Type("12345");
        c.act(f);
        EXPECT_EQ(f.box.Text(), c.text) << c.name;
        EXPECT_EQ(f.box.CaretPosition(), c.caret) << c.name;
    }
}

TEST(TextBoxTest, ShiftArrowsSelectAndCtrlCCopies) {
    FormTestEnv env;
    TextBoxForm f(env);
    f.box.SetText("12345");
    f.ShiftKey(platform::kKeyLeft);
    f.ShiftKey(platform::kKeyLeft);
    EXPECT_EQ(f.box.SelectionStart(), 3u);
    EXPECT_EQ(f.box.SelectedText(), "45");
    f.system.KeyDown(platform::kKeyCtrl);
    f.Key('C');
    f.system.KeyUp(platform::kKeyCtrl);
    EXPECT_EQ(ClipboardText(env), "45");
    EXPECT_EQ(f.box.Text(), "12345");

    // An arrow without Shift collapses the selection; Ctrl+C with nothing selected keeps the
    // clipboard.
    f.Key(platform::kKeyLeft);
    EXPECT_EQ(f.box.SelectionLength(), 0u);
    EXPECT_EQ(f.box.CaretPosition(), 3u);
    f.system.KeyDown(platform::kKeyCtrl);
    f.Key('C');
    f.system.KeyUp(platform::kKeyCtrl);
    EXPECT_EQ(ClipboardText(env), "45");
}

TEST(TextBoxTest, MouseDragSelects) {
    FormTestEnv env;
    TextBoxForm f(env);
    f.box.SetText("abcdef");
    const platform::Point origin = f.box.ClientToScreen({0, 0});
    const int32_t y = origin.y + 10;
    env.system.PointerMoveTo({origin.x + f.box.CaretX(1), y});
    env.system.ButtonDown(platform::kButtonLeft);
    env.system.PointerMoveTo({origin.x + f.box.CaretX(4) + 1, y});
    env.system.ButtonUp(platform::kButtonLeft);
    EXPECT_EQ(f.box.SelectionStart(), 1u);
    EXPECT_EQ(f.box.SelectedText(), "bcd");
    EXPECT_EQ(f.box.CaretPosition(), 4u);
}

// Held beyond the left side, a drag scrolls a long text a character per step until it selects
// it whole, which also becomes the primary selection.
TEST(TextBoxTest, ADragHeldBeyondASideScrollsAndSelectsTheWholeText) {
    FormTestEnv env;
    TextBoxForm f(env);
    const std::string text(80, '7');
    f.box.SetText(text);
    const platform::Point origin = f.box.ClientToScreen({0, 0});
    env.system.PointerMoveTo({origin.x + f.box.CaretX(text.size()) - 1, origin.y + 10});
    env.system.ButtonDown(platform::kButtonLeft);
    env.system.PointerMoveTo({origin.x - 20, origin.y + 10});
    for (int i = 0; i < 80; ++i) {
        env.backend.AdvanceClock(50);
        env.system.DispatchPending();
    }
    env.system.ButtonUp(platform::kButtonLeft);
    EXPECT_EQ(f.box.SelectedText(), text);
    EXPECT_EQ(env.backend.PrimaryText(), text);
}

TEST(TextBoxTest, CaretAndSelectionArePaintedOnlyWhileFocused) {
    FormTestEnv env;
    TextBoxForm f(env);
    f.box.SetText("");
    env.backend.ProcessUntilIdle();
    const platform::Surface& s = f.box.DrawingSurface();
    const int32_t caretX = f.box.CaretX(0);
    // The caret inverts its column over the black background.
    EXPECT_EQ(s.Pixel(caretX, 4), 0x00FFFFFFu);
    EXPECT_EQ(s.Pixel(caretX + 1, 4), kBlack);

    f.box.SetText("88");
    f.box.Select(0, 2);
    env.backend.ProcessUntilIdle();
    // The selection band's top row lies above the glyphs: the highlight colour.
    EXPECT_EQ(s.Pixel(f.box.CaretX(0) + 1, 3), 0x006A240Au);
    EXPECT_EQ(s.Pixel(f.box.CaretX(2) + 2, 3), kBlack);

    f.system.SetFocus(nullptr);
    env.backend.ProcessUntilIdle();
    EXPECT_EQ(s.Pixel(f.box.CaretX(0) + 1, 3), kBlack);
    EXPECT_EQ(s.Pixel(f.box.CaretX(2), 4), kBlack);
}

TEST(TextBoxTest, SunkenBorderPixels) {
    FormTestEnv env;
    TextBoxForm f(env);
    env.backend.ProcessUntilIdle();
    const platform::Surface& s = f.box.DrawingSurface();
    const int32_t w = s.Width();
    const int32_t h = s.Height();
    EXPECT_EQ(s.Pixel(0, 0), 0x00808080u);          // shadow
    EXPECT_EQ(s.Pixel(w - 1, 0), 0x00FFFFFFu);      // highlight
    EXPECT_EQ(s.Pixel(0, h - 1), 0x00FFFFFFu);      // highlight
    EXPECT_EQ(s.Pixel(1, 1), 0x00404040u);          // dark shadow
    EXPECT_EQ(s.Pixel(w - 2, h - 2), 0x00C8D0D4u);  // light
    EXPECT_EQ(s.Pixel(2, 2), kBlack);               // the inside
}

// A typed character past kMaxLength characters ("é" is one) rings the bell unless it replaces one.
TEST(TextBoxTest, TypingStopsAtTheMaximumLengthWithTheBell) {
    std::string ones(kMax, '1'), accents;
    while (accents.size() < 2 * (kMax - 1))
        accents += "é";
    for (const auto& [text, selectLast, bells] :
         {std::tuple{ones, false, 1}, {ones, true, 0}, {accents, false, 0}}) {
        FormTestEnv env;
        TextBoxForm f(env);
        f.box.SetText(text);
        if (selectLast) f.ShiftKey(platform::kKeyLeft);
        f.Type("7");
        EXPECT_EQ(f.box.Length(), kMax) << text.size();
        EXPECT_EQ(env.backend.Bells(), bells) << text.size();
        EXPECT_EQ(f.box.Text() == text, bells == 1) << text.size();
    }
}

// Scrolled anywhere, a long line shows as DrawText draws it whole: "l"s shift glyphs whose ink
// passes their advance ("f", "j", "/" in italics) across both edges.
TEST(TextBoxTest, ALongLineShowsWhatDrawTextDrawsOfItWhole) {
    for (const platform::FontDesc& font :
         {platform::PlainFont("MS Sans Serif", 82500, platform::kFontWeightNormal),
          {"Times New Roman", 120000, 700, 0, true, false, false},
          {"DejaVu Serif", 110000, 400, 0, true, true, true}}) {
        for (size_t shift = 0; shift < 60; ++shift) {
            std::string text(shift % 2 ? 0 : shift, 'l');
            while (text.size() < 1800)
                text += "jf/y€7";
            text.append(shift % 2 ? shift : 0, 'l');
            FormTestEnv env;
            TextBoxForm f(env);
            f.box.SetFont(font);
            f.box.SetText(text);
            f.box.Select(shift % 2 ? text.size() : 0, 0);
            env.system.SetFocus(nullptr);
            env.backend.ProcessUntilIdle();
            platform::Surface expected = f.box.DrawingSurface();
            const platform::Rect inner = expected.Bounds().Inflate(-2, -2);
            platform::FillRect(expected, inner, 0);
            expected.SetClip(platform::Region::FromRect(inner));
            expected.textColor = platform::TranslateOleColor(kGreen);
            const auto realised = platform::LoadFont(font);
            platform::Rect line{f.box.CaretX(0), 3, inner.right, 3 + realised->Height()};
            platform::DrawText(expected, *realised, text, line, platform::kTextSingleLine);
            EXPECT_TRUE(expected.Pixels() == f.box.DrawingSurface().Pixels()) << font.name << shift;
        }
    }
}

}  // namespace
}  // namespace forms
