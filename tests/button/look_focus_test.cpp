// How the looks show the focus and the default button: the focus rectangle or frame and the
// content rectangle it goes round, the default variants of the frame and the caption, and no
// sign of the focus on a disabled button, in any look of the table.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <variant>

#include "button/looks.h"
#include "button/vb_button.h"
#include "tests/button/every_look.h"
#include "tests/button/styled_button.h"
#include "tests/support/pixels.h"

namespace button {
namespace {

using testsupport::CountOf;
using testsupport::PixelsOf;

// Whether anything but the face shows on the top edge of the content rectangle, where only
// the dotted focus rectangle draws in a captionless button.
bool FocusRectShown(StyledButton& b) {
    const platform::Rect c = b.button->ContentRect();
    const Color face = b.button->CurrentPalette().Face;
    for (int32_t x = c.left; x < c.right; ++x) {
        if (b.Pixels().Pixel(x, c.top) != face) return true;
    }
    return false;
}

TEST(ClassicLook, FocusRectangleOnlyInTheDefaultVariant) {
    struct Case {
        bool focus, isDefault, showFocusRect, pressed, expected;
    };
    const Case cases[] = {
        {true, true, true, false, true},   {true, true, true, true, true},
        {true, false, true, false, false}, {true, false, true, true, false},
        {false, true, true, false, false}, {true, true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "focus " << c.focus << " default " << c.isDefault
                                        << " rect " << c.showFocusRect << " down " << c.pressed);
        StyledButton b(2, 60, 30);
        b.button->SetShowFocusRect(c.showFocusRect);
        if (c.isDefault) b.MarkDefault();
        if (c.focus) b.GiveFocus();
        if (c.pressed) b.Press();
        EXPECT_EQ(FocusRectShown(b), c.expected);
    }
}

TEST(GradientLook, BorderByHoverFocusAndDefault) {
    struct Case {
        const char* name;
        bool pointer, focus, isDefault, showFocusRect;
        Color frame;  // the rim's left column
    };
    const Color shaded = OffsetColor(OffsetColor(0xC0C0C0, 48, Shift::BlueInProportion, false), -5,
                                     Shift::BlueInProportion, false);
    const Case cases[] = {
        {"lit", true, false, false, true, 0x31B2FF},
        {"lit and focused", true, true, false, true, 0x31B2FF},
        {"focused", false, true, false, true, 0x31B2FF},  // the focus lights it too
        {"default", false, false, true, true, 0xE7AE8C},
        {"lit default", true, false, true, true, 0x31B2FF},
        {"default, no focus rectangles", false, false, true, false, shaded},
        {"plain", false, false, false, true, shaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StyledButton b(3, 60, 30);
        b.button->SetShowFocusRect(c.showFocusRect);
        if (c.isDefault) b.MarkDefault();
        if (c.focus) b.GiveFocus();
        if (c.pointer) b.PointerOver();
        EXPECT_EQ(b.Pixels().Pixel(1, 10), c.frame);
        EXPECT_EQ(b.Pixels().Pixel(0, 10), 0x733C00u);
        EXPECT_EQ(b.Pixels().Pixel(1, 1), 0x7B4D10u);
    }
}

TEST(OutlineLook, FocusFrameAroundTheCaption) {
    StyledButton b(5, 75, 25);
    b.button->SetCaption("WM");
    b.GiveFocus();
    const Rect r = b.button->CaptionRect();
    EXPECT_EQ(b.Pixels().Pixel(r.left - 2, r.top - 1), 0xCC9999u);
    b.button->SetShowFocusRect(false);
    EXPECT_EQ(PixelsOf(b.Pixels(), 0xCC9999).size(), 0u);
}

// The focus lights the button like the pointer does, and adds nothing of its own.
TEST(OvalLook, NoFocusRectangle) {
    StyledButton focused(13, 60, 30);
    StyledButton pointed(13, 60, 30);
    focused.GiveFocus();
    pointed.PointerOver();
    ASSERT_TRUE(focused.button->HasFocusFlag());
    ASSERT_TRUE(focused.button->IsLit());
    EXPECT_EQ(focused.Pixels().Pixels(), pointed.Pixels().Pixels());
}

TEST(GlossyLook, DefaultButtonCaptionIsBoldAndTheFontIsRestored) {
    for (const bool boldBefore : {false, true}) {
        SCOPED_TRACE(boldBefore);
        StyledButton plain(14, 75, 25);
        StyledButton marked(14, 75, 25);
        marked.MarkDefault();
        for (StyledButton* b : {&plain, &marked}) {
            b->button->SetFontSize(12);
            b->button->SetFontBold(boldBefore);
        }
        const int64_t redraws = marked.button->RedrawCount();
        plain.button->SetCaption("WM");
        marked.button->SetCaption("WM");
        // The temporary font change inside the redraw must not start a redraw of its own.
        EXPECT_EQ(marked.button->RedrawCount(), redraws + 1);
        EXPECT_EQ(marked.button->FontBold(), boldBefore);
        EXPECT_TRUE(marked.button->IsReady());
        const size_t plainInk = CountOf(plain.Pixels(), 0x000000);
        const size_t markedInk = CountOf(marked.Pixels(), 0x000000);
        EXPECT_GT(plainInk, 0u);
        if (boldBefore) {
            EXPECT_EQ(markedInk, plainInk);
        } else {
            EXPECT_GT(markedInk, plainInk);
        }
    }
}

TEST(GlossyLook, DefaultCaptionIsDrawnAtLeastBoldAndTheFontIsKeptWhole) {
    for (const int16_t weight : {400, 700, 900}) {
        SCOPED_TRACE(weight);
        StyledButton marked(14, 75, 25);
        StyledButton bold(14, 75, 25);  // not the default, in the weight of the default caption
        marked.MarkDefault();
        platform::FontDesc font = marked.button->Font();
        font.sizeCy = 120000;
        font.weight = weight;
        marked.button->SetFont(font);
        font.weight = std::max<int16_t>(weight, 700);
        bold.button->SetFont(font);
        bold.button->SetCaption("WM");
        marked.button->SetCaption("WM");
        marked.button->Refresh();
        marked.button->Refresh();
        EXPECT_EQ(marked.button->Font().weight, weight);
        EXPECT_TRUE(marked.Pixels().Pixels() == bold.Pixels().Pixels());
        const forms::PropertyBag saved = marked.site->Save();
        const forms::PropertyValue* stored = saved.Find("FONT");
        ASSERT_NE(stored, nullptr);
        ASSERT_TRUE(std::holds_alternative<platform::FontDesc>(*stored));
        EXPECT_EQ(std::get<platform::FontDesc>(*stored).weight, weight);
    }
}

TEST(Looks, ContentRectangleOf80By40) {
    const std::pair<int32_t, Rect> cases[] = {
        {14, {6, 6, 76, 36}}, {1, {4, 4, 76, 36}}, {2, {4, 4, 76, 36}},  {5, {4, 4, 76, 36}},
        {7, {3, 3, 77, 37}},  {9, {3, 3, 77, 37}}, {13, {3, 3, 77, 37}},
    };
    for (const auto& [type, rect] : cases) {
        SCOPED_TRACE(type);
        StyledButton b(type, 80, 40);
        EXPECT_EQ(b.button->ContentRect(), rect);
    }
}

// The window system takes the focus from a window that is disabled, so the container's focus
// call is made directly here. No disabled look shows the focus in any way: the focused button
// draws exactly what an unfocused disabled button draws, shown as the default or not.
class DisabledLook : public ::testing::TestWithParam<Look> {};

TEST_P(DisabledLook, ShowsNoFocus) {
    const int32_t type = static_cast<int32_t>(GetParam().type);
    for (const bool isDefault : {false, true}) {
        SCOPED_TRACE(isDefault ? "the default" : "not the default");
        StyledButton focused(type, 60, 30);
        StyledButton other(type, 60, 30);
        for (StyledButton* b : {&focused, &other}) {
            b->button->SetCaption("OK");
            if (isDefault) b->MarkDefault();
            b->button->SetEnabled(false);
        }
        focused.button->OnGotFocus();
        ASSERT_TRUE(focused.button->HasFocusFlag());
        EXPECT_EQ(focused.Pixels().Pixels(), other.Pixels().Pixels());
    }
}

INSTANTIATE_TEST_SUITE_P(Looks, DisabledLook, EveryLook(), LookTestName);

}  // namespace
}  // namespace button
