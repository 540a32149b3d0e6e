// Pixel tests of the button looks (ButtonType 1 to 7 and 14) and golden images of each look in
// its states.
//
// The golden images under tests/golden/button/ are made by the same code as the button-shot
// tool. After an intended change of a look, regenerate them by running the tests with
// TAVIK_UPDATE_GOLDEN=1 set in the environment, look at every changed image, and commit them.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "button/vb_button.h"
#include "tests/button/styled_button.h"
#include "tests/support/golden.h"
#include "tests/support/pixels.h"
#include "tools/button_shot/button_shot.h"

namespace button {
namespace {

using platform::Point;
using testsupport::CountOf;
using testsupport::Grey;
using testsupport::PixelsOf;

// Every pixel of row y from x0 to x1 - 1.
void ExpectRow(const platform::Surface& s, int32_t y, int32_t x0, int32_t x1, Color colour) {
    for (int32_t x = x0; x < x1; ++x) {
        ASSERT_EQ(s.Pixel(x, y), colour) << "at (" << x << ", " << y << ")";
    }
}

// The Glossy face of scheme 3 (Highlight white) is white shifted by -k x i on row i, with
// k = 58 / h in single precision and the amount rounded half to even. Rows 1 and h - 1 lie
// under the two frames, rows 2 and 3 under the bright band, so the visible rows are checked
// between the left band and the right frames.
TEST(GlossyLook, FaceShadesDownFromHighlight) {
    struct Case {
        int32_t height;
        bool soft;
        int32_t row;
        int32_t grey;
    };
    const Case cases[] = {
        {30, false, 4, 247},     // -7.73 rounds to -8
        {30, false, 15, 226},    // -29
        {30, false, 27, 203},    // -52.2 rounds to -52
        {30, true, 15, 241},     // -29 halved toward zero: -14
        {30, true, 27, 229},     // -52 halved: -26
        {116, false, 5, 253},    // k = 0.5: -2.5 rounds to the even -2
        {116, false, 7, 251},    // -3.5 rounds to the even -4
        {116, false, 113, 199},  // -56.5 rounds to the even -56
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "h " << c.height << " soft " << c.soft << " row " << c.row);
        StyledButton b(14, 60, c.height);
        b.button->SetSoftBevel(c.soft);
        ExpectRow(b.Pixels(), c.row, 4, 58, Grey(c.grey));
    }
}

// The calculator's "=" key: ColorScheme 2 with a red BackColor.
TEST(GlossyLook, EqualsKeyColours) {
    StyledButton b(14, 121, 30, 2);
    b.button->SetBackColor(0x0000FF);
    const platform::Surface& s = b.Pixels();
    EXPECT_EQ(s.Pixel(60, 15), 0x1212E2u);  // red 226, green and blue 18
    EXPECT_EQ(s.Pixel(60, 0), 0x00008Du);   // outer frame: Off(Shadow, -50), red 141
    EXPECT_EQ(s.Pixel(0, 15), 0x00008Du);
    EXPECT_EQ(s.Pixel(60, 1), 0x0000F6u);  // inner frame: Off(Face, -9), red 246
    EXPECT_EQ(s.Pixel(119, 15), 0x0000F6u);
    ExpectRow(s, 2, 2, 119, 0x2F2FFF);  // top band in Highlight
    ExpectRow(s, 3, 2, 119, 0x2F2FFF);
    for (int32_t y = 4; y < 28; ++y) {
        EXPECT_EQ(s.Pixel(2, y), 0x2F2FFFu) << y;  // left band
        EXPECT_EQ(s.Pixel(3, y), 0x2F2FFFu) << y;
    }
    EXPECT_EQ(s.Pixel(4, 28), 0x0000F6u);  // the left band stops above the inner frame
}

TEST(GlossyLook, LitFaceIsFlatLightWithTheSameEdges) {
    StyledButton b(14, 60, 30);
    b.PointerOver();
    ASSERT_TRUE(b.button->IsLit());
    const platform::Surface& s = b.Pixels();
    for (int32_t y = 4; y < 28; ++y)
        ExpectRow(s, y, 4, 58, 0xDFDFDF);        // Light of scheme 3
    EXPECT_EQ(s.Pixel(30, 0), Grey(0x80 - 50));  // Off(Shadow, -50)
    EXPECT_EQ(s.Pixel(30, 1), Grey(0xC0 - 9));   // Off(Face, -9)
    ExpectRow(s, 2, 2, 58, 0xFFFFFF);
    EXPECT_EQ(s.Pixel(2, 20), 0xFFFFFFu);
}

TEST(GlossyLook, PressedMovesTheBrightEdgesToBottomAndRight) {
    StyledButton b(14, 60, 30);
    b.Press();
    ASSERT_EQ(b.button->LastDrawnState(), DrawnState::Down);
    const platform::Surface& s = b.Pixels();
    const Color face = Grey(0xC0 - 9);
    ExpectRow(s, 0, 0, 60, Grey(0x80 - 48));  // frame Off(Shadow, -48)
    ExpectRow(s, 28, 2, 58, 0xFFFFFF);        // bottom line, end excluded
    EXPECT_EQ(s.Pixel(1, 28), face);
    for (int32_t y = 2; y < 29; ++y)
        EXPECT_EQ(s.Pixel(58, y), 0xFFFFFFu) << y;
    EXPECT_EQ(s.Pixel(58, 1), face);
    // No bright bands at the top and left: the pressed face fills from (1, 1).
    ExpectRow(s, 2, 1, 58, face);
    for (int32_t y = 1; y < 28; ++y)
        EXPECT_EQ(s.Pixel(2, y), face) << y;
    EXPECT_EQ(b.button->LastCaptionLook(), CaptionLook::Inset);
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

TEST(ClassicLook, DefaultVariantFramesTheBevelInDarkShadow) {
    StyledButton b(2, 60, 30);
    b.MarkDefault();
    const platform::Surface& s = b.Pixels();
    ExpectRow(s, 0, 0, 60, 0x000000);  // DarkShadow frame
    ExpectRow(s, 1, 1, 58, 0xFFFFFF);  // Highlight, one in
    ExpectRow(s, 28, 1, 59, 0x000000);
    StyledButton plain(2, 60, 30);
    ExpectRow(plain.Pixels(), 0, 0, 59, 0xFFFFFF);  // the bevel on the edge
    ExpectRow(plain.Pixels(), 29, 0, 60, 0x000000);
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

TEST(RoundedLook, PressedLeavesFaceShadeAtFaceShiftedBy48) {
    for (const bool soft : {false, true}) {
        SCOPED_TRACE(soft);
        StyledButton b(4, 60, 30);
        b.button->SetSoftBevel(soft);
        const Palette before = b.button->CurrentPalette();
        b.Press();
        ASSERT_EQ(b.button->LastDrawnState(), DrawnState::Down);
        EXPECT_EQ(b.button->CurrentPalette().FaceShade,
                  OffsetColor(0xC0C0C0, 48, Shift::Even, soft));
        EXPECT_EQ(b.button->CurrentPalette(), before);
        // The pressed face is Off(Shadow, -16).
        EXPECT_EQ(b.Pixels().Pixel(30, 15), OffsetColor(0x808080, -16, Shift::Even, soft));
    }
}

TEST(OutlineLook, PressedCaptionInTextOverAtTheUnshiftedRectangle) {
    StyledButton b(5, 75, 25, 2);
    b.button->SetForeColor(0x00FF00);
    b.button->SetForeOver(0x0000FF);
    b.button->SetCaption("WM");
    const auto upText = PixelsOf(b.Pixels(), 0x00FF00);
    ASSERT_FALSE(upText.empty());
    b.PointerOver();
    const CaptionLook lookBefore = b.button->LastCaptionLook();
    b.Press();
    ASSERT_EQ(b.button->LastDrawnState(), DrawnState::Down);
    EXPECT_EQ(PixelsOf(b.Pixels(), 0x0000FF), upText);
    EXPECT_EQ(b.button->LastCaptionLook(), lookBefore);
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

// The window system takes the focus from a window that is disabled, so the container's focus
// call is made directly here. No disabled look shows the focus in any way: the focused button
// draws exactly what an unfocused disabled button draws.
TEST(Looks, NoDisabledLookShowsTheFocus) {
    for (const int32_t type : {1, 2, 3, 4, 5, 6, 7, 14}) {
        SCOPED_TRACE(type);
        StyledButton focused(type, 60, 30);
        StyledButton other(type, 60, 30);
        focused.button->SetCaption("OK");
        other.button->SetCaption("OK");
        focused.MarkDefault();
        other.MarkDefault();
        focused.button->SetEnabled(false);
        other.button->SetEnabled(false);
        focused.button->OnGotFocus();
        ASSERT_TRUE(focused.button->HasFocusFlag());
        EXPECT_EQ(focused.Pixels().Pixels(), other.Pixels().Pixels());
    }
}

TEST(Looks, TypesWithoutARecipeShowOnlyTheFace) {
    for (const int32_t type : {0, 10, 15, -1}) {
        SCOPED_TRACE(type);
        StyledButton b(type, 40, 20);
        b.button->SetCaption("OK");
        EXPECT_EQ(PixelsOf(b.Pixels(), 0xC0C0C0).size(), 40u * 20u);
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

// Golden images: every look in every state, through the button-shot code path.
TEST(Looks, MatchTheirGoldenImages) {
    const std::pair<const char*, ShotState> states[] = {
        {"up", ShotState::Up},      {"lit", ShotState::Lit},
        {"down", ShotState::Down},  {"disabled", ShotState::Disabled},
        {"focused", ShotState::Up},
    };
    for (const int32_t type : {1, 2, 3, 4, 5, 6, 7, 14}) {
        for (const auto& [name, state] : states) {
            ShotOptions options;
            options.buttonType = type;
            options.caption = "Calc";
            options.state = state;
            options.focus = std::string(name) == "focused";
            testsupport::ExpectGoldenImage(
                "tests/golden/button/type" + std::to_string(type) + "_" + name + ".png",
                RenderShot(options));
        }
    }
}

}  // namespace
}  // namespace button
