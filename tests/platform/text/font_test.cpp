#include "platform/text/font.h"

#include <gtest/gtest.h>

#include "platform/text/draw_text.h"
#include "platform/text/font_cache.h"
#include "tests/platform/text/text_fixtures.h"

namespace platform {
namespace {

// Line heights come from the faces' Windows ascent and descent scaled to the em and rounded:
// Liberation Sans 1854 and 434 of 2048 units, DejaVu Sans Mono 1901 and 483 of 2048.
TEST(Font, EmAndLineHeights) {
    struct Case {
        const char* name;
        int64_t sizeCy;
        int32_t em, ascent, descent;
    };
    const Case cases[] = {
        {"Arial", 90000, 12, 11, 3},            // 10.86 and 2.54 px
        {"MS Sans Serif", 97500, 13, 12, 3},    // 11.77 and 2.76 px
        {"Lucida Console", 142500, 19, 18, 4},  // 17.64 and 4.48 px
        {"Arial", 180000, 24, 22, 5},           // 21.73 and 5.09 px
    };
    for (const Case& c : cases) {
        const auto font = TestFont(c.name, c.sizeCy);
        EXPECT_EQ(font->EmPixels(), c.em) << c.name;
        EXPECT_EQ(font->Ascent(), c.ascent) << c.name;
        EXPECT_EQ(font->Descent(), c.descent) << c.name;
        EXPECT_EQ(font->Height(), c.ascent + c.descent) << c.name;
    }
}

TEST(Font, NamedFacesMapToInstalledStandIns) {
    struct Case {
        const char* name;
        int16_t weight;
        const char* family;
        bool bold;
    };
    const Case cases[] = {
        {"Arial", 400, "Liberation Sans", false},
        {"arial", 400, "Liberation Sans", false},
        {"Arial", 700, "Liberation Sans", true},
        {"MS Sans Serif", 400, "Liberation Sans", false},
        {"Arial Black", 900, "DejaVu Sans", true},
        {"Arial Black", 400, "DejaVu Sans", true},  // Arial Black is heavy whatever is asked
        {"Lucida Console", 400, "DejaVu Sans Mono", false},
    };
    for (const Case& c : cases) {
        const auto font = TestFont(c.name, 90000, c.weight);
        EXPECT_EQ(font->FamilyName(), c.family) << c.name << " " << c.weight;
        EXPECT_EQ(font->IsBold(), c.bold) << c.name << " " << c.weight;
    }
}

TEST(Font, MonospacedStandInHasEqualAdvances) {
    const auto font = TestFont("Lucida Console", 142500);
    EXPECT_EQ(TextWidth(*font, "i"), TextWidth(*font, "W"));
    EXPECT_EQ(TextWidth(*font, "0123456789"), 10 * TextWidth(*font, "0"));
    EXPECT_EQ(font->AverageCharWidth(), TextWidth(*font, "0"));
}

TEST(Font, UnknownFaceFallsBackToAWorkingSans) {
    const auto font = TestFont("No Such Face 3f9c", 90000);
    EXPECT_FALSE(font->FamilyName().empty());
    EXPECT_EQ(font->EmPixels(), 12);
    EXPECT_GT(font->Height(), 0);
    EXPECT_GT(TextWidth(*font, "Clear"), 0);
    EXPECT_FALSE(font->GlyphFor(U'C')->coverage.empty());
}

TEST(Font, LoadedFontsAreSharedByDescription) {
    const auto a = TestFont("Arial Black", 90000, 900);
    EXPECT_EQ(a, TestFont("ARIAL BLACK", 90000, 900));
    EXPECT_NE(a, TestFont("Arial Black", 97500, 900));
    EXPECT_NE(a, TestFont("Arial", 90000, 900));
    FontDesc underlined = a->Desc();
    underlined.underline = true;
    EXPECT_NE(a, LoadFont(underlined));
}

// Fonts of one face at two sizes share the face's file, each rendering at its own size
// whatever the other rendered last.
TEST(Font, SizesOfOneFaceRenderEachAtItsOwnSize) {
    const FontDesc small{.name = "Arial", .sizeCy = 90000};
    const FontDesc large{.name = "Arial", .sizeCy = 240000};
    const auto alone = Font::Open(small)->GlyphFor(U'W');
    const auto smallFont = Font::Open(small);
    const auto largeFont = Font::Open(large);
    const auto big = largeFont->GlyphFor(U'W');
    const auto interleaved = smallFont->GlyphFor(U'W');
    EXPECT_EQ(interleaved->advance, alone->advance);
    EXPECT_EQ(interleaved->coverage, alone->coverage);
    EXPECT_GT(big->advance, 2 * alone->advance);
    EXPECT_EQ(largeFont->Ascent(), TestFont("Arial", 240000)->Ascent());
}

TEST(Font, GlyphsAreRenderedOnceAndKept) {
    const auto font = TestFont("Arial", 90000);
    const std::shared_ptr<const Glyph> first = font->GlyphFor(U'C');
    EXPECT_EQ(first, font->GlyphFor(U'C'));
    const std::shared_ptr<const Glyph> euro = font->GlyphFor(U'\u20AC');
    EXPECT_EQ(euro, font->GlyphFor(U'\u20AC'));
    EXPECT_GT(euro->advance, 0);
    EXPECT_FALSE(euro->coverage.empty());
    // A space has an advance and no pixels.
    EXPECT_GT(font->GlyphFor(U' ')->advance, 0);
    EXPECT_TRUE(font->GlyphFor(U' ')->coverage.empty());
}

TEST(Font, CodePointsTheFaceLacksShareTheMissingGlyphAndItsMetrics) {
    const auto font = Font::Open({.name = "Arial", .sizeCy = 90000});
    // 20000 ideographs, none in the face.
    for (char32_t c = U'\u4E00'; c < U'\u4E00' + 20000; ++c)
        font->MetricsFor(c);
    EXPECT_EQ(font->MeasuredGlyphs(), 1u);
    EXPECT_EQ(font->GlyphFor(U'\u4E00'), font->GlyphFor(U'\u9FFF'));
}

TEST(GlyphCache, KeepsWhatFitsItsBoundAndDropsTheLeastRecentPastIt) {
    const auto font = HugeFont();
    const std::shared_ptr<const Glyph> a = font->GlyphFor(U'A');
    size_t sum = GlyphCost(*a);
    for (char32_t c = U'B';; ++c) {
        const size_t cost = GlyphCost(*font->GlyphFor(c));
        if (sum + cost > Font::kGlyphCacheBytes) break;
        sum += cost;
        ASSERT_EQ(font->CachedGlyphBytes(), sum);  // up to the bound nothing leaves
    }
    EXPECT_LE(font->CachedGlyphBytes(), Font::kGlyphCacheBytes);
    const std::shared_ptr<const Glyph> again = font->GlyphFor(U'A');
    EXPECT_NE(again, a);
    EXPECT_EQ(again->coverage, a->coverage);
}

TEST(GlyphCache, MetricsHoldTheRenderedGlyph) {
    const FontDesc italic{.name = "Times New Roman", .sizeCy = 400000, .italic = true};
    for (const auto& font : {TestFont(), HugeFont(), LoadFont(italic)}) {
        for (const char32_t c : U"AgjW@|\u0105\u20AC\u00C5\U0001F600 ") {
            const std::shared_ptr<const Glyph> glyph = font->GlyphFor(c);
            const Rect box = Rect::FromSize(glyph->left, -glyph->top, glyph->width, glyph->height);
            EXPECT_EQ(font->MetricsFor(c).advance, glyph->advance) << int(c);
            EXPECT_EQ(box.Intersect(font->MetricsFor(c).ink), box.IsEmpty() ? Rect{} : box);
        }
    }
}

TEST(FontCache, KeepsTheMostRecentFontsAndDropsTheLeastRecentPastItsBound) {
    const auto sized = [](size_t step) { return TestFont("Arial", 1230000 + int64_t(step) * 100); };
    const auto kept = sized(0);
    for (size_t i = 1; i < kCachedFonts; ++i)
        sized(i);
    EXPECT_EQ(sized(0), kept);
    for (size_t i = 1; i <= kCachedFonts; ++i)
        sized(100 + i);
    const auto again = sized(0);
    EXPECT_NE(again, kept);
    EXPECT_EQ(kept->GlyphFor(U'A')->coverage, again->GlyphFor(U'A')->coverage);
}

TEST(FontCache, ReleasesAFontOnlyWhenNothingButTheCacheHoldsIt) {
    FontDesc unheldDesc;
    std::weak_ptr<const Font> unheld, unheldScaled;
    {
        const auto font = TestFont("Arial", 1360000);
        unheldDesc = font->Desc();
        unheld = font;
        const Font& scaled = font->AtScale(DeviceScale::Whole(2));
        unheldScaled = LoadFont(*font->ScaledDesc());
        EXPECT_EQ(unheldScaled.lock().get(), &scaled);
    }
    const auto held = TestFont("Arial", 1370000);
    ReleaseUnheldFont(unheldDesc);
    ReleaseUnheldFont(held->Desc());
    EXPECT_TRUE(unheld.expired());
    EXPECT_TRUE(unheldScaled.expired());
    EXPECT_EQ(TestFont("Arial", 1370000), held);
}

}  // namespace
}  // namespace platform
