// Pixel tests of the faces and frames that the looks paint: each look's recipe up, lit, pressed
// and disabled, the caption and the picture where a look draws them its own way, and the looks
// without a recipe, which show the face fill alone.

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "button/looks.h"
#include "button/vb_button.h"
#include "platform/ui/keys.h"
#include "tests/button/styled_button.h"
#include "tests/support/pixels.h"

namespace button {
namespace {

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

TEST(HoverLooks, HoverFlatAndHoverClassicMatchWhileNotLit) {
    struct Case {
        const char* name;
        bool focus;
        bool disabled;
    };
    for (const Case c :
         {Case{"up", false, false}, Case{"focused", true, false}, Case{"disabled", false, true}}) {
        SCOPED_TRACE(c.name);
        StyledButton flat(8, 60, 24);
        StyledButton classic(12, 60, 24);
        for (StyledButton* b : {&flat, &classic}) {
            b->button->SetCaption("OK");
            if (c.focus) {
                // With focus rectangles shown the focus lights the button.
                b->button->SetShowFocusRect(false);
                b->GiveFocus();
                ASSERT_TRUE(b->button->HasFocusFlag());
                ASSERT_FALSE(b->button->IsLit());
            }
            if (c.disabled) b->button->SetEnabled(false);
        }
        EXPECT_EQ(flat.Pixels().Pixels(), classic.Pixels().Pixels());
        // Face and caption only: the edges keep the Face fill.
        const platform::Surface& s = flat.Pixels();
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{59, 23}, std::pair{30, 0},
                                   std::pair{0, 12}, std::pair{59, 12}, std::pair{30, 23}}) {
            EXPECT_EQ(s.Pixel(x, y), 0xC0C0C0u) << x << ", " << y;
        }
    }
}

TEST(HoverLooks, LitAndPressedEdges) {
    struct Case {
        int32_t type;
        bool press;
        Color top, top1, bottom1, bottom;  // rows 0, 1, h - 2 and h - 1 at the middle
    };
    // Scheme 3: Highlight white, Light 0xDFDFDF, Shadow 0x808080, DarkShadow black.
    const Case cases[] = {
        {8, false, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080},
        {8, true, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFFFF},
        {12, false, 0xFFFFFF, 0xDFDFDF, 0x808080, 0x000000},
        {12, true, 0x000000, 0x808080, 0xDFDFDF, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " press " << c.press);
        StyledButton b(c.type, 60, 24);
        if (c.press) {
            b.Press();
            ASSERT_EQ(b.button->LastDrawnState(), DrawnState::Down);
        } else {
            b.PointerOver();
            ASSERT_TRUE(b.button->IsLit());
        }
        const platform::Surface& s = b.Pixels();
        EXPECT_EQ(s.Pixel(30, 0), c.top);
        EXPECT_EQ(s.Pixel(0, 12), c.top);
        EXPECT_EQ(s.Pixel(30, 1), c.top1);
        EXPECT_EQ(s.Pixel(30, 22), c.bottom1);
        EXPECT_EQ(s.Pixel(30, 23), c.bottom);
        EXPECT_EQ(s.Pixel(59, 12), c.bottom);
    }
}

// Scheme 1 takes Accent from the desktop's highlight colour, red 10, green 36, blue 106.
TEST(AccentHoverLook, PressedWhileLitIsFilledWithTheLightenedAccent) {
    StyledButton b(9, 60, 24, 1);
    b.button->SetShowFocusRect(false);  // the press gives the focus: no frame inside the fill
    ASSERT_EQ(b.Colours().Accent, 0x6A240Au);
    b.Press();
    ASSERT_TRUE(b.button->IsLit());
    const platform::Surface& s = b.Pixels();
    EXPECT_EQ(s.Pixel(0, 0), 0x6A240Au);  // the accent frame
    EXPECT_EQ(s.Pixel(59, 23), 0x6A240Au);
    EXPECT_EQ(s.Pixel(1, 1), 0xB49184u);  // red 132, green 145, blue 180
    EXPECT_EQ(s.Pixel(58, 22), 0xB49184u);
    EXPECT_EQ(CountOf(s, 0xB49184), 58u * 22u);
}

TEST(AccentHoverLook, SchemeTwoPressFillsWithTheDarkenedAccentLight) {
    StyledButton b(9, 60, 24, 2);
    b.button->SetBackColor(0x404040);
    b.button->SetBackOver(0x808080);
    b.Press();
    // AccentLight is the Face of scheme 2, which a lit button takes from BackOver; a press
    // darkens it by 32 in every channel.
    EXPECT_EQ(b.Pixels().Pixel(10, 10), 0x606060u);
}

TEST(AccentHoverLook, LitBoxAndPressWithoutHover) {
    StyledButton b(9, 60, 24);  // scheme 3: Accent 0x800000, AccentLight 0xD1ADAD
    b.PointerOver();
    const platform::Surface& s = b.Pixels();
    EXPECT_EQ(s.Pixel(0, 0), 0x800000u);
    EXPECT_EQ(s.Pixel(59, 23), 0x800000u);
    EXPECT_EQ(s.Pixel(1, 1), 0xD1ADADu);
    EXPECT_EQ(s.Pixel(58, 22), 0xD1ADADu);

    // A press from the keyboard while the pointer is away: the caption and the frame only.
    StyledButton away(9, 60, 24);
    away.button->SetShowFocusRect(false);
    away.GiveFocus();
    int32_t space = platform::kKeySpace;
    away.button->OnKeyDown(space, 0);
    ASSERT_EQ(away.button->LastDrawnState(), DrawnState::Down);
    ASSERT_FALSE(away.button->IsLit());
    EXPECT_EQ(away.Pixels().Pixel(0, 0), 0x800000u);
    EXPECT_EQ(CountOf(away.Pixels(), 0xC0C0C0), 58u * 22u);
}

TEST(PictureOnlyLook, ShowsNoTextFrameOrFocus) {
    StyledButton b(10, 60, 24);
    b.button->SetCaption("WWW");
    const CaptionLook look = b.button->LastCaptionLook();
    EXPECT_EQ(CountOf(b.Pixels(), 0xC0C0C0), 60u * 24u);
    b.GiveFocus();
    EXPECT_EQ(CountOf(b.Pixels(), 0xC0C0C0), 60u * 24u);
    b.Press();
    EXPECT_EQ(CountOf(b.Pixels(), 0xC0C0C0), 60u * 24u);
    EXPECT_EQ(b.button->LastCaptionLook(), look);
}

TEST(PictureOnlyLook, ShowsThePicture) {
    StyledButton b(10, 60, 24);
    b.button->SetCaption("WWW");
    b.button->SetPictureNormal(ButtonHost::Icon16());
    EXPECT_EQ(CountOf(b.Pixels(), 0x0000FF), 16u * 16u);
    const platform::Point place = b.button->PicturePlace();
    EXPECT_EQ(b.Pixels().Pixel(place.x, place.y), 0x0000FFu);
}

TEST(OvalLook, OutlineOnlyWhileLitAndNoneWhenDisabled) {
    StyledButton b(13, 60, 30);
    const Palette p = b.Colours();
    EXPECT_EQ(CountOf(b.Pixels(), p.Face), 60u * 30u);
    b.PointerOver();
    for (const auto& [x, y] :
         {std::pair{30, 0}, std::pair{0, 15}, std::pair{59, 15}, std::pair{30, 29}}) {
        EXPECT_EQ(b.Pixels().Pixel(x, y), p.Shadow) << x << ", " << y;
    }

    StyledButton pressed(13, 60, 30);
    pressed.Press();
    EXPECT_EQ(pressed.Pixels().Pixel(30, 0), p.DarkShadow);
    EXPECT_EQ(pressed.Pixels().Pixel(30, 15), 0xA0A0A0u);  // Off(Face, -32)
    EXPECT_EQ(pressed.Pixels().Pixel(0, 0), p.Face);       // outside the ellipse

    // Disabled, even focused and lit: the Face fill and the disabled caption, no ellipse.
    StyledButton disabled(13, 60, 30);
    disabled.GiveFocus();
    disabled.PointerOver();
    disabled.button->SetEnabled(false);
    EXPECT_EQ(CountOf(disabled.Pixels(), p.Face), 60u * 30u);
    EXPECT_EQ(disabled.site->SiteWindow().Shape().has_value(), true);
}

// A stored number that names no look, and a look of the table without a recipe, show the face
// fill alone, whatever the caption.
TEST(Looks, TypesWithoutARecipeShowOnlyTheFace) {
    std::vector<int32_t> types = {0, -1, static_cast<int32_t>(Looks().size()) + 1};
    for (const Look& look : Looks()) {
        if (!look.recipe) types.push_back(static_cast<int32_t>(look.type));
    }
    for (const int32_t type : types) {
        SCOPED_TRACE(type);
        StyledButton b(type, 40, 20);
        b.button->SetCaption("OK");
        EXPECT_EQ(CountOf(b.Pixels(), 0xC0C0C0), 40u * 20u);
    }
}

}  // namespace
}  // namespace button
