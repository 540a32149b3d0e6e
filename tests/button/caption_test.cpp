#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "button/vb_button.h"
#include "platform/gfx/rect_paint.h"
#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "tests/button/button_host.h"

namespace button {

namespace {

std::string Show(const platform::Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// A button loaded and shown on a form, its client area the size of `bounds`.
struct CaptionHost : ButtonHost {
    explicit CaptionHost(platform::Rect bounds = {10, 10, 85, 35}) : ButtonHost(true, bounds) {
        site->Load({});
        site->Show();
    }
    const std::string& AccessKeys() { return site->SiteWindow().AccessKeys(); }
    platform::Surface& Surface() { return site->DrawingSurface(); }
};

// A paint of the caption alone, on the Classic look: `text` in `font` at `rect`.
PaintInput CaptionInput(std::string_view text, std::shared_ptr<const platform::Font> font,
                        const platform::Rect& rect) {
    PaintInput input;
    input.look = &LookOf(static_cast<int32_t>(ButtonType::Classic));
    input.caption.text = text;
    input.caption.font = std::move(font);
    input.caption.rect = rect;
    return input;
}

// ---- Access key ---------------------------------------------------------------------------

TEST(CaptionAccessKey, TheCharacterAfterTheFirstSingleAmpersandLowerCased) {
    struct Case {
        const char* caption;
        const char* key;
    };
    const Case cases[] = {
        {"&Open", "o"},
        {"Save && &Quit", "q"},
        {"Save && Quit", ""},
        {"&&&B", "b"},
        {"A && B && &C", "c"},
        {"A && B && C", ""},
        {"&", ""},
        {"Open&", ""},
        {"Save &&", ""},
        {"a && b&", ""},
        {"x", ""},
        {"No key", ""},
        {"&x", "x"},
        {"E&xit", "x"},
        {"&1 and &2", "1"},
        {"&\xC3\x89tat", "\xC3\x89"},
    };
    CaptionHost host;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        // A key left from the caption before must not survive the change.
        host.button->SetCaption("&Z");
        ASSERT_EQ(host.AccessKeys(), "z");
        host.button->SetCaption(c.caption);
        EXPECT_EQ(host.AccessKeys(), c.key);
    }
}

TEST(CaptionAccessKey, ReadFromStoredSettings) {
    ButtonHost host;
    forms::PropertyBag bag;
    bag.Write("TX", std::string("Sa&ve"));
    host.site->Load(bag);
    EXPECT_EQ(host.site->SiteWindow().AccessKeys(), "v");
}

// ---- Layout -------------------------------------------------------------------------------

// A caption and font that measure 40 x 13 pixels with the installed faces.
constexpr const char* kCaption40x13 = "Sound";

platform::FontDesc Font40x13() {
    platform::FontDesc font;
    font.name = "DejaVu Sans";
    font.sizeCy = 80000;
    font.SetBold(true);
    return font;
}

TEST(CaptionLayout, FontAndCaptionOfTheLayoutCasesMeasure40By13) {
    platform::Surface scratch(100, 30);
    platform::Rect rect{21, 1, 98, 28};
    platform::DrawText(scratch, *platform::LoadFont(Font40x13()), kCaption40x13, rect, 0x410);
    ASSERT_EQ(rect.right - rect.left, 40);
    ASSERT_EQ(rect.bottom - rect.top, 13);
}

TEST(CaptionLayout, PlacedBesidePictureAndCentredIn100By30) {
    struct Case {
        const char* name;
        int32_t position;
        int32_t pictureWidth;
        int32_t pictureHeight;
        platform::Rect up;
    };
    const Case cases[] = {
        // Measured at (21,1,61,14), moved by (19,8).
        {"left of the picture", 0, 20, 16, {40, 9, 80, 22}},
        // Measured at (1,1,41,14), moved by ((100-41-20-4)/2 = 17, 8).
        {"right of the picture", 1, 20, 16, {18, 9, 58, 22}},
        // Measured at (1,17,41,30), moved by (29, 0).
        {"below the picture", 2, 20, 16, {30, 17, 70, 30}},
        // Measured at (1,1,41,14), moved by (29, (30-14-16-4)/2 = -2).
        {"above the picture", 3, 20, 16, {30, -1, 70, 12}},
        // (30-14-17-4)/2 truncates toward zero: -2, not -3.
        {"above an odd picture", 3, 20, 17, {30, -1, 70, 12}},
        {"over the picture", 4, 20, 16, {30, 9, 70, 22}},
        {"no picture", 0, 0, 0, {30, 9, 70, 22}},
        {"no picture, position 4", 4, 0, 0, {30, 9, 70, 22}},
    };
    const auto font = platform::LoadFont(Font40x13());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CaptionLayout layout =
            LayOutCaption(kCaption40x13, *font, 100, 30, {c.pictureWidth, c.pictureHeight},
                          PictureSideOf(c.position));
        EXPECT_TRUE(layout.rect == c.up) << Show(layout.rect);
        EXPECT_EQ(layout.width, 40);
        EXPECT_EQ(layout.height, 13);
    }
}

TEST(CaptionLayout, PositionOutsideTheTableIsLaidOutAsCentredAndKeptAsSet) {
    auto show = [](CaptionHost& host, int32_t position) {
        host.button->SetFont(Font40x13());
        host.button->SetCaption(kCaption40x13);
        host.button->SetPictureNormal(ButtonHost::Icon16());
        host.button->SetPicturePosition(position);
    };
    CaptionHost centred({0, 0, 100, 30});
    show(centred, 4);
    for (const int32_t position : {-1, 5, 7, std::numeric_limits<int32_t>::min()}) {
        SCOPED_TRACE(position);
        CaptionHost host({0, 0, 100, 30});
        show(host, position);
        host.button->Refresh();
        const platform::Rect once = host.button->CaptionRect();
        for (int i = 0; i < 9; ++i)
            host.button->Refresh();
        EXPECT_TRUE(host.button->CaptionRect() == once) << Show(host.button->CaptionRect());
        EXPECT_TRUE(once == centred.button->CaptionRect()) << Show(once);
        EXPECT_EQ(host.button->PicturePlace(), centred.button->PicturePlace());
        EXPECT_TRUE(host.Surface().Pixels() == centred.Surface().Pixels());
        // The value itself stays as set, and is saved and read back so.
        EXPECT_EQ(host.button->PicturePosition(), position);
        ButtonHost again;
        again.site->Load(host.site->Save());
        EXPECT_EQ(again.button->PicturePosition(), position);
    }
}

TEST(CaptionLayout, WrappedCaptionIsCentredFromItsMeasuredHeight) {
    const char* caption = "Sound Sound Sound";
    const auto font = platform::LoadFont(Font40x13());
    ASSERT_EQ(font->Height(), 13);
    CaptionHost host({0, 0, 60, 70});
    host.button->SetFont(Font40x13());
    host.button->SetCaption(caption);

    // Each word fits the 57-pixel measuring width alone, two do not: three lines, the widest
    // a word with the space that ends its line.
    const int32_t widest = platform::TextWidth(*font, "Sound ");
    ASSERT_GT(widest, 40);
    const platform::Rect measured{1, 1, 1 + widest, 40};
    const platform::Rect expected = measured.Offset((60 - measured.right) / 2, (70 - 40) / 2);
    EXPECT_TRUE(host.button->CaptionRect() == expected) << Show(host.button->CaptionRect());
    EXPECT_EQ(host.button->CaptionSize().y, 39);

    // The three lines are drawn from the rectangle's top, each one 13 rows lower.
    platform::Surface surface(60, 70, 0xFFFFFF);
    PaintInput input = CaptionInput(caption, font, host.button->CaptionRect());
    input.palette.Text = 0x000000;
    Painter(surface, input).DrawCaption(CaptionLook::Normal);
    std::vector<int32_t> inkRows(3, 0);
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            if (surface.Pixel(x, y) == 0xFFFFFF) continue;
            const int32_t line = (y - expected.top) / 13;
            ASSERT_GE(y, expected.top);
            ASSERT_LT(line, 3);
            ++inkRows[line];
        }
    }
    EXPECT_GT(inkRows[0], 0);
    EXPECT_EQ(inkRows[1], inkRows[0]);
    EXPECT_EQ(inkRows[2], inkRows[0]);
}

// ---- Looks --------------------------------------------------------------------------------

constexpr Color kBackground = 0x336699;

Palette DistinctPalette() {
    Palette p;
    p.Face = 0x505050;
    p.FaceOver = 0x606060;
    p.Text = 0x0000FF;
    p.TextOver = 0x00FF00;
    p.Light = 0xFF0000;
    p.Highlight = 0xFFFFFF;
    p.Shadow = 0x404040;
    p.DarkShadow = 0x101010;
    p.Accent = 0x00A0A0;
    p.AccentLight = 0x30A0C0;
    p.Mask = 0xFF00FF;
    p.FaceShade = 0x909090;
    return p;
}

platform::FontDesc BigBold() {
    platform::FontDesc font;
    font.name = "DejaVu Sans";
    font.sizeCy = 280000;
    font.SetBold(true);
    return font;
}

// One copy of the caption: where (from CaptionRect) and in which colour.
struct Copy {
    int32_t dx;
    int32_t dy;
    Color colour;
};

// A 75 x 60 button's caption in a large bold face on a plain background, painted alone.
struct LookHost {
    explicit LookHost(const char* caption = "W")
        : text(caption),
          font(platform::LoadFont(BigBold())),
          rect(LayOutCaption(text, *font, 75, 60, {0, 0}, PictureSide::Behind).rect),
          input(CaptionInput(text, font, rect)) {
        input.palette = DistinctPalette();
    }

    // Draws one look with the input as set.
    CaptionLook Draw(CaptionLook look) {
        Painter painter(surface, input);
        painter.DrawCaption(look);
        return painter.LastCaptionLook();
    }

    // The background with the copies drawn in order, each centred and word-broken.
    platform::Surface Expected(const std::vector<Copy>& copies) const {
        platform::Surface expected(75, 60, kBackground);
        for (const Copy& c : copies) {
            expected.textColor = c.colour;
            platform::Rect at = rect.Offset(c.dx, c.dy);
            platform::DrawText(expected, *font, text, at, 0x15);
        }
        return expected;
    }

    std::string text;
    std::shared_ptr<const platform::Font> font;
    platform::Rect rect;
    PaintInput input;
    platform::Surface surface{75, 60, kBackground};
};

// The pixels of one copy alone that the glyphs cover fully.
std::vector<platform::Point> FullyCovered(const LookHost& host, int32_t dx, int32_t dy) {
    const platform::Surface single = host.Expected({{dx, dy, 0xFFFFFF}});
    std::vector<platform::Point> points;
    for (int32_t y = 0; y < single.Height(); ++y) {
        for (int32_t x = 0; x < single.Width(); ++x) {
            if (single.Pixel(x, y) == 0xFFFFFF) points.push_back({x, y});
        }
    }
    return points;
}

TEST(CaptionLooks, EachLookLayersItsCopiesInItsColours) {
    struct Case {
        CaptionLook look;
        ButtonType type;
        std::vector<Copy> copies;
    };
    const Case cases[] = {
        {CaptionLook::Normal, ButtonType::Classic, {{0, 0, 0x0000FF}}},
        {CaptionLook::Lit, ButtonType::Classic, {{0, 0, 0x00FF00}}},
        {CaptionLook::Pressed, ButtonType::Classic, {{1, 1, 0x00FF00}}},
        {CaptionLook::Pressed, ButtonType::Rounded, {{1, 1, 0xFF0000}}},
        {CaptionLook::Engraved, ButtonType::Classic, {{1, 1, 0xFFFFFF}, {0, 0, 0x404040}}},
        {CaptionLook::Dimmed, ButtonType::Classic, {{0, 0, 0x404040}}},
        // FaceShade 0x909090 less 104, blue by 144 x 104 / 192 = 78 only.
        {CaptionLook::Shaded, ButtonType::Gradient, {{0, 0, 0x422828}}},
        {CaptionLook::Embossed, ButtonType::Glossy, {{1, 1, 0xFFFFFF}, {0, 0, 0x505050}}},
        // Shadow 0x404040 less 50.
        {CaptionLook::Inset, ButtonType::Glossy, {{1, 1, 0x0E0E0E}, {0, 0, 0xFFFFFF}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.look));
        LookHost host;
        host.input.look = &LookOf(static_cast<int32_t>(c.type));
        EXPECT_EQ(host.Draw(c.look), c.look);
        const platform::Surface expected = host.Expected(c.copies);
        EXPECT_TRUE(host.surface.Pixels() == expected.Pixels());
        EXPECT_NE(host.surface.Pixels(), platform::Surface(75, 60, kBackground).Pixels());
        // The last colour stays set on the surface.
        EXPECT_EQ(host.surface.textColor, c.copies.back().colour);
    }
}

TEST(CaptionLooks, DisabledLookPutsHighlightBelowRightAndShadowInPlace) {
    LookHost host;
    host.Draw(CaptionLook::Engraved);
    const std::vector<platform::Point> inPlace = FullyCovered(host, 0, 0);
    const std::vector<platform::Point> shifted = FullyCovered(host, 1, 1);
    ASSERT_FALSE(inPlace.empty());
    for (const platform::Point& p : inPlace) {
        ASSERT_EQ(host.surface.Pixel(p.x, p.y), 0x404040u) << p.x << "," << p.y;
    }
    // Where only the shifted copy reaches, the highlight shows; the main copy drew no glyph
    // background over it.
    const platform::Surface main = host.Expected({{0, 0, 0xFFFFFF}});
    int32_t highlighted = 0;
    for (const platform::Point& p : shifted) {
        if (main.Pixel(p.x, p.y) != kBackground) continue;
        EXPECT_EQ(host.surface.Pixel(p.x, p.y), 0xFFFFFFu) << p.x << "," << p.y;
        ++highlighted;
    }
    EXPECT_GT(highlighted, 0);
}

TEST(CaptionLooks, AmpersandsArePrefixesNotText) {
    LookHost prefixed("&W");
    prefixed.Draw(CaptionLook::Normal);
    LookHost plain("W");
    plain.Draw(CaptionLook::Normal);
    // The same glyph in the same place, plus the underline rows of the prefixed character.
    ASSERT_TRUE(prefixed.rect == plain.rect);
    int32_t differing = 0;
    for (int32_t y = 0; y < 60; ++y) {
        for (int32_t x = 0; x < 75; ++x) {
            if (prefixed.surface.Pixel(x, y) == plain.surface.Pixel(x, y)) continue;
            EXPECT_EQ(prefixed.surface.Pixel(x, y), 0x0000FFu);
            ++differing;
        }
    }
    EXPECT_GT(differing, 0);
    EXPECT_TRUE(prefixed.surface.Pixels() == prefixed.Expected({{0, 0, 0x0000FF}}).Pixels());
}

// ---- Special effects ----------------------------------------------------------------------

TEST(CaptionEffects, CopiesUnderTheTextByEffectTypeAndState) {
    // Face 0x505050 +/- 40; FaceShade 0x909090 +/- 40; AccentLight 0x30A0C0 +/- 40.
    constexpr Color kFaceLight = 0x787878, kFaceDark = 0x282828;
    constexpr Color kShadeLight = 0xB8B8B8, kShadeDark = 0x686868;
    constexpr Color kAccentLight = 0x58C8E8, kAccentDark = 0x087898;
    constexpr Color kText = 0x0000FF, kTextOver = 0x00FF00;
    struct Effect {
        int32_t specialEffect = 0;
        int32_t buttonType = 2;
        bool hover = false;
        int32_t colorScheme = 1;
        Situation situation = Situation::Up;
        bool softBevel = false;
    };
    struct Case {
        const char* name;
        CaptionLook look;
        Effect effect;
        std::vector<Copy> copies;
    };
    const Case cases[] = {
        {"none", CaptionLook::Normal, {.specialEffect = 0}, {{0, 0, kText}}},
        {"negative", CaptionLook::Normal, {.specialEffect = -1}, {{0, 0, kText}}},
        {"raised",
         CaptionLook::Normal,
         {.specialEffect = 1},
         {{1, 1, kFaceDark}, {-1, -1, kFaceLight}, {0, 0, kText}}},
        {"sunken, lit",
         CaptionLook::Lit,
         {.specialEffect = 2},
         {{1, 1, kFaceLight}, {-1, -1, kFaceDark}, {0, 0, kTextOver}}},
        {"drop shadow",
         CaptionLook::Normal,
         {.specialEffect = 3},
         {{1, 1, kFaceDark}, {0, 0, kText}}},
        {"drop shadow, 9",
         CaptionLook::Normal,
         {.specialEffect = 9},
         {{1, 1, kFaceDark}, {0, 0, kText}}},
        {"raised, pressed, around the down rectangle, type 4",
         CaptionLook::Pressed,
         {.specialEffect = 1, .buttonType = 4},
         {{2, 2, kShadeDark}, {0, 0, kShadeLight}, {1, 1, 0xFF0000}}},
        {"type 3",
         CaptionLook::Normal,
         {.specialEffect = 3, .buttonType = 3},
         {{1, 1, kShadeDark}, {0, 0, kText}}},
        {"type 14",
         CaptionLook::Normal,
         {.specialEffect = 3, .buttonType = 14},
         {{1, 1, kShadeDark}, {0, 0, kText}}},
        {"type 9 lit up",
         CaptionLook::Lit,
         {.specialEffect = 1, .buttonType = 9, .hover = true},
         {{1, 1, kAccentDark}, {-1, -1, kAccentLight}, {0, 0, kTextOver}}},
        {"type 9 lit up, scheme 2",
         CaptionLook::Lit,
         {.specialEffect = 3, .buttonType = 9, .hover = true, .colorScheme = 2},
         {{1, 1, kFaceDark}, {0, 0, kTextOver}}},
        {"type 9 not lit",
         CaptionLook::Normal,
         {.specialEffect = 3, .buttonType = 9},
         {{1, 1, kFaceDark}, {0, 0, kText}}},
        {"type 9 lit, pressed",
         CaptionLook::Pressed,
         {.specialEffect = 3, .buttonType = 9, .hover = true, .situation = Situation::Down},
         {{2, 2, kFaceDark}, {1, 1, kTextOver}}},
        // Amounts halved: Face +/- 20.
        {"raised, soft",
         CaptionLook::Normal,
         {.specialEffect = 1, .softBevel = true},
         {{1, 1, 0x3C3C3C}, {-1, -1, 0x646464}, {0, 0, kText}}},
        {"disabled looks draw no effect",
         CaptionLook::Engraved,
         {.specialEffect = 1},
         {{1, 1, 0xFFFFFF}, {0, 0, 0x404040}}},
        {"pressed 14 draws no effect",
         CaptionLook::Inset,
         {.specialEffect = 1, .buttonType = 14},
         {{1, 1, 0x0E0E0E}, {0, 0, 0xFFFFFF}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LookHost host;
        host.input.effect = CaptionEffectOf(c.effect.specialEffect);
        host.input.look = &LookOf(c.effect.buttonType);
        host.input.lit = c.effect.hover;
        host.input.ownColours = c.effect.colorScheme == 2;
        host.input.situation = c.effect.situation;
        host.input.softBevel = c.effect.softBevel;
        host.Draw(c.look);
        EXPECT_TRUE(host.surface.Pixels() == host.Expected(c.copies).Pixels());
    }
}

}  // namespace
}  // namespace button
