#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/text/draw_text.h"
#include "tests/platform/text/text_fixtures.h"
#include "tests/support/pixels.h"

namespace platform {
namespace {

using testsupport::Changed;

constexpr Color kPaper = 0xFFFFFF;
constexpr uint32_t kCaption = kTextCenter | kTextVCenter | kTextWordBreak;  // 0x15

Surface Draw(const Font& font, const std::string& text, Rect rect, uint32_t flags,
             int32_t width = 49, int32_t height = 33, Color paper = kPaper, Color ink = 0) {
    Surface surface(width, height, paper);
    surface.textColor = ink;
    DrawText(surface, font, text, rect, flags);
    return surface;
}

bool SameInk(const Surface& a, int32_t ax, int32_t ay, const Surface& b, int32_t bx, int32_t by) {
    const bool aInside = ax >= 0 && ay >= 0 && ax < a.Width() && ay < a.Height();
    const bool bInside = bx >= 0 && by >= 0 && bx < b.Width() && by < b.Height();
    const Color ca = aInside ? a.Pixel(ax, ay) : kPaper;
    const Color cb = bInside ? b.Pixel(bx, by) : kPaper;
    return ca == cb;
}

// True when `moved` shows exactly the image of `reference` shifted by (dx, dy), cut to
// `window` (paper outside it).
bool IsShifted(const Surface& reference, const Surface& moved, int32_t dx, int32_t dy,
               const Rect& window = {-1000, -1000, 1000, 1000}) {
    for (int32_t y = 0; y < moved.Height(); ++y) {
        for (int32_t x = 0; x < moved.Width(); ++x) {
            const bool inside = window.Contains({x, y});
            if (inside && !SameInk(moved, x, y, reference, x - dx, y - dy)) return false;
            if (!inside && moved.Pixel(x, y) != kPaper) return false;
        }
    }
    return true;
}

TEST(DrawText, NothingOutsideTheRectangleOrTheClipRegion) {
    const auto font = TestFont("Arial Black", 90000, 900);
    const Rect rect{6, 4, 30, 20};
    const Surface drawn = Draw(*font, "Calculator Clear", rect, kCaption);
    EXPECT_GT(Changed(drawn, kPaper).size(), 0u);
    for (int32_t y = 0; y < drawn.Height(); ++y) {
        for (int32_t x = 0; x < drawn.Width(); ++x) {
            if (!rect.Contains({x, y})) {
                ASSERT_EQ(drawn.Pixel(x, y), kPaper) << x << "," << y;
            }
        }
    }

    Surface clipped(49, 33, kPaper);
    const Region clip =
        Region::FromRect({0, 0, 49, 33}).Difference(Region::FromRect({10, 0, 20, 33}));
    clipped.SetClip(clip);
    Rect whole{0, 0, 49, 33};
    DrawText(clipped, *font, "Clear", whole, kCaption);
    const Surface unclipped = Draw(*font, "Clear", whole, kCaption);
    for (int32_t y = 0; y < 33; ++y) {
        for (int32_t x = 0; x < 49; ++x) {
            const Color expected = clip.Contains({x, y}) ? unclipped.Pixel(x, y) : kPaper;
            ASSERT_EQ(clipped.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

// The W's ink covers the surface; every later glyph lies a W's advance or more to its right.
TEST(DrawText, MeasuringRendersNoGlyphAndDrawingOnlyThoseThatShow) {
    const auto font = HugeFont();
    const std::string text = "W!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    Draw(*font, text, {0, 0, 75, 25}, kTextCalcRect | kTextWordBreak);
    EXPECT_EQ(font->CachedGlyphBytes(), 0u);
    EXPECT_GT(Changed(Draw(*font, text, {0, -230, 75, 25}, kTextSingleLine, 75, 25), kPaper).size(),
              0u);
    EXPECT_EQ(font->CachedGlyphBytes(), GlyphCost(*font->GlyphFor(U'W')));
}

TEST(DrawText, OffSurfaceRectanglesAreSafe) {
    const auto font = TestFont();
    const Rect rects[] = {{-100, -100, 200, 200}, {-30, -5, 10, 8}, {40, 30, 90, 80}, {5, 5, 5, 5}};
    for (Rect rect : rects) {
        Surface surface(49, 33, kPaper);
        DrawText(surface, *font, "Clear\r\nall of it", rect, kCaption);
        EXPECT_EQ(surface.Pixels().size(), 49u * 33u);
    }
    Surface empty;
    Rect rect{0, 0, 49, 33};
    EXPECT_EQ(DrawText(empty, *font, "Clear", rect, kCaption), font->Height());
}

TEST(DrawText, CentresEachLineWithTruncatingDivision) {
    const auto font = TestFont("Arial Black", 90000, 900);
    for (const char* text : {"Clear", "=", "MR"}) {
        const int32_t width = TextWidth(*font, text);
        const Surface leftAligned = Draw(*font, text, {0, 0, 60, 33}, 0, 60);
        // The negative rectangles make (left + right - width) negative, where truncation and
        // rounding down differ.
        for (const Rect rect :
             {Rect{0, 3, 49, 33}, Rect{3, 3, 46, 33}, Rect{-20, 3, 14, 33}, Rect{-21, 3, 14, 33}}) {
            const int32_t x = (rect.left + rect.right - width) / 2;
            const Surface centred = Draw(*font, text, rect, kCaption);
            EXPECT_TRUE(IsShifted(leftAligned, centred, x, 3, rect)) << text << " " << rect.left;
        }
    }
}

TEST(DrawText, TwoLinesCentredIndependently) {
    const auto font = TestFont();
    const int32_t lh = font->Height();
    const Surface first = Draw(*font, "Memory", {0, 0, 49, 33}, kTextCenter, 49, 40);
    const Surface second = Draw(*font, "Clear", {0, lh, 49, 33}, kTextCenter, 49, 40);
    const Surface both = Draw(*font, "Memory Clear", {0, 0, 49, 33}, kCaption, 49, 40);
    for (int32_t y = 0; y < 33; ++y) {
        for (int32_t x = 0; x < 49; ++x) {
            const Color expected = y < lh ? first.Pixel(x, y) : second.Pixel(x, y);
            ASSERT_EQ(both.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(DrawText, VerticalCentringOnlyForSingleLineText) {
    const auto font = TestFont("Arial Black", 90000, 900);
    const Rect rect{0, 0, 49, 33};
    const Surface top = Draw(*font, "Clear", rect, kTextCenter);
    EXPECT_TRUE(IsShifted(top, Draw(*font, "Clear", rect, kCaption), 0, 0));
    EXPECT_TRUE(IsShifted(top, Draw(*font, "Clear", rect, kTextCenter | kTextVCenter), 0, 0));
    const int32_t dy = (33 - font->Height()) / 2;
    EXPECT_TRUE(IsShifted(
        top, Draw(*font, "Clear", rect, kTextCenter | kTextVCenter | kTextSingleLine), 0, dy));
    // A rectangle lower than a line moves the text up: (5 - 14) / 2 truncates to -4.
    const Rect low{0, 10, 49, 15};
    const Surface lowDrawn =
        Draw(*font, "Clear", low, kTextCenter | kTextVCenter | kTextSingleLine);
    EXPECT_TRUE(IsShifted(top, lowDrawn, 0, 10 + (5 - font->Height()) / 2, low));
}

TEST(DrawText, PrefixUnderlinesTheMarkedCharacter) {
    const auto font = TestFont();
    const int32_t underlineRow = font->Ascent() + 1;
    struct Case {
        const char* prefixed;
        const char* plain;
        const char* before;  // text left of the underlined character
        const char* marked;
    };
    const Case cases[] = {
        {"&Clear", "Clear", "", "C"},
        {"a&bc", "abc", "a", "b"},
        {"M&+", "M+", "M", "+"},
    };
    for (const Case& c : cases) {
        const Surface withPrefix = Draw(*font, c.prefixed, {2, 0, 49, 33}, 0);
        const Surface plain = Draw(*font, c.plain, {2, 0, 49, 33}, 0);
        const int32_t x0 = 2 + TextWidth(*font, c.before);
        const int32_t x1 = x0 + TextWidth(*font, c.marked) - 1;
        for (int32_t y = 0; y < 33; ++y) {
            for (int32_t x = 0; x < 49; ++x) {
                const bool onUnderline = y == underlineRow && x >= x0 && x < x1;
                const Color expected = onUnderline ? Color{0} : plain.Pixel(x, y);
                ASSERT_EQ(withPrefix.Pixel(x, y), expected) << c.prefixed << " " << x << "," << y;
            }
        }
    }
    // "&&" draws a single "&", with no underline.
    EXPECT_TRUE(
        IsShifted(Draw(*font, "&", {0, 0, 49, 33}, 0), Draw(*font, "&&", {0, 0, 49, 33}, 0), 0, 0));
    // Without prefix processing the "&" is drawn.
    EXPECT_FALSE(IsShifted(Draw(*font, "C", {0, 0, 49, 33}, 0),
                           Draw(*font, "&C", {0, 0, 49, 33}, kTextNoPrefix), 0, 0));
}

// On a surface at 2x the line keeps its logical layout (the access key's underline on its
// logical row, two device rows deep), while each glyph comes from the font realised at twice
// the size: the ink is not the 1x ink enlarged, and stays within a pixel of it.
TEST(DrawText, ScaledSurfacesDrawGlyphsAtTheDevicesResolution) {
    const auto font = TestFont();
    const DeviceScale twice = DeviceScale::Whole(2);
    EXPECT_EQ(font->AtScale(twice).EmPixels(), 2 * font->EmPixels());
    EXPECT_EQ(&font->AtScale(DeviceScale{}), font.get());
    const Surface plain = Draw(*font, "&Clear", {2, 0, 49, 33}, 0);
    Surface doubled(49, 33, kPaper, {twice, {}});
    doubled.textColor = 0;
    Rect rect{2, 0, 49, 33};
    DrawText(doubled, *font, "&Clear", rect, 0);

    const int32_t underline = font->Ascent() + 1;
    const int32_t x1 = 2 + TextWidth(*font, "C") - 1;
    int32_t mixedBlocks = 0;
    for (int32_t y = 0; y < 33; ++y) {
        for (int32_t x = 0; x < 49; ++x) {
            const Color* top = doubled.Row(2 * y) + 2 * x;
            const Color* bottom = doubled.Row(2 * y + 1) + 2 * x;
            const bool uniform = top[0] == top[1] && top[0] == bottom[0] && top[0] == bottom[1];
            mixedBlocks += !uniform;
            if (y == underline && x >= 2 && x < x1) {
                EXPECT_TRUE(uniform && top[0] == 0) << x;
                continue;
            }
            // Far from any 1x ink the paper stays.
            bool nearInk = false;
            for (int32_t v = std::max(y - 1, 0); v <= std::min(y + 1, 32); ++v)
                for (int32_t u = std::max(x - 1, 0); u <= std::min(x + 1, 48); ++u)
                    nearInk = nearInk || plain.Pixel(u, v) != kPaper;
            if (!nearInk) {
                EXPECT_TRUE(uniform && top[0] == kPaper) << x << "," << y;
            }
        }
    }
    EXPECT_GT(mixedBlocks, 10);
}

// Coverage is read back by drawing white on black, where each pixel becomes its coverage.
TEST(DrawText, BlendsCoverageIntoTheSurfaceInTheTextColour) {
    const auto font = TestFont("Arial Black", 90000, 900);
    const Rect rect{0, 0, 49, 33};
    const Surface coverage = Draw(*font, "Clear", rect, kCaption, 49, 33, 0x000000, 0xFFFFFF);
    const Color ink = Rgb(200, 30, 90);
    Surface patterned(49, 33);
    for (int32_t y = 0; y < 33; ++y) {
        for (int32_t x = 0; x < 49; ++x)
            patterned.SetPixel(x, y, Rgb(x * 5, y * 7, (x + y) * 3));
    }
    const Surface before = patterned;
    patterned.textColor = ink;
    Rect drawRect = rect;
    DrawText(patterned, *font, "Clear", drawRect, kCaption);

    int32_t full = 0;
    int32_t partial = 0;
    for (int32_t y = 0; y < 33; ++y) {
        for (int32_t x = 0; x < 49; ++x) {
            const uint32_t a = Red(coverage.Pixel(x, y));
            ASSERT_EQ(coverage.Pixel(x, y), Rgb(a, a, a));
            const Color old = before.Pixel(x, y);
            const auto mix = [a](uint32_t t, uint32_t o) {
                return (t * a + o * (255 - a) + 127) / 255;
            };
            const Color expected = Rgb(mix(Red(ink), Red(old)), mix(Green(ink), Green(old)),
                                       mix(Blue(ink), Blue(old)));
            ASSERT_EQ(patterned.Pixel(x, y), expected) << x << "," << y;
            if (a == 0) {
                ASSERT_EQ(patterned.Pixel(x, y), old);
            }
            if (a == 255) {
                ASSERT_EQ(patterned.Pixel(x, y), ink);
            }
            full += a == 255;
            partial += a > 0 && a < 255;
        }
    }
    EXPECT_GT(full, 0);
    EXPECT_GT(partial, 0);
}

TEST(DrawText, StopsAfterTheLineThatPassesTheBottom) {
    const auto font = TestFont();
    const int32_t lh = font->Height();
    Surface surface(49, 80, kPaper);
    Rect rect{0, 0, 49, lh + lh / 2};
    EXPECT_EQ(DrawText(surface, *font, "a\nb\nc\nd", rect, 0), 2 * lh);
    rect = {0, 0, 49, 2 * lh};
    EXPECT_EQ(DrawText(surface, *font, "a\nb\nc\nd", rect, 0), 3 * lh);
    rect = {0, 0, 49, 80};
    EXPECT_EQ(DrawText(surface, *font, "a\nb\nc\nd", rect, 0), 4 * lh);
}

TEST(DrawText, UnderlineAndStrikethroughFontsDrawBarsAcrossTheLine) {
    FontDesc desc = TestFont()->Desc();
    desc.underline = true;
    desc.strikethrough = true;
    const auto font = LoadFont(desc);
    const int32_t width = TextWidth(*font, "ab");
    const Surface drawn = Draw(*font, "ab", {3, 2, 49, 33}, 0);
    for (int32_t row : {2 + font->UnderlineTop(), 2 + font->StrikeoutTop()}) {
        for (int32_t x = 0; x < 49; ++x) {
            const bool onBar = x >= 3 && x < 3 + width;
            if (onBar)
                EXPECT_EQ(drawn.Pixel(x, row), 0u) << x << "," << row;
            else
                EXPECT_EQ(drawn.Pixel(x, row), kPaper) << x << "," << row;
        }
    }
    EXPECT_GT(font->UnderlineTop(), font->Ascent() - 1);
    EXPECT_LT(font->StrikeoutTop(), font->Ascent());
}

TEST(DrawText, UnknownFaceStillDraws) {
    FontDesc desc;
    desc.name = "Tavik Nonexistent Face";
    desc.sizeCy = 90000;
    const auto font = LoadFont(desc);
    const Surface drawn = Draw(*font, "Clear", {0, 0, 49, 33}, kCaption);
    EXPECT_GT(Changed(drawn, kPaper).size(), 10u);
}

TEST(DrawText, Utf8TextDrawsItsCharacters) {
    const auto font = TestFont();
    const Surface euro = Draw(*font, "\xE2\x82\xAC", {0, 0, 49, 33}, 0);
    EXPECT_GT(Changed(euro, kPaper).size(), 0u);
    Rect rect{0, 0, 49, 33};
    Surface unused;
    DrawText(unused, *font, "\xE2\x82\xAC", rect, kTextCalcRect);
    EXPECT_EQ(rect.Width(), font->MetricsFor(U'\u20AC').advance);
}

}  // namespace
}  // namespace platform
