#include "platform/objects/ole_color.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace platform {
namespace {

// The classic scheme, written out as red, green, blue triples.
struct SchemeEntry {
    int32_t index;
    std::optional<Color> color;
};

constexpr SchemeEntry kScheme[] = {
    {0, Rgb(212, 208, 200)},
    {1, Rgb(58, 110, 165)},
    {2, Rgb(10, 36, 106)},
    {3, Rgb(128, 128, 128)},
    {4, Rgb(212, 208, 200)},
    {5, 0xFFFFFF},
    {6, 0x000000},
    {7, 0x000000},
    {8, 0x000000},
    {9, Rgb(255, 255, 255)},
    {10, Rgb(212, 208, 200)},
    {11, Rgb(212, 208, 200)},
    {12, Rgb(128, 128, 128)},
    {13, 0x6A240A},
    {14, Rgb(255, 255, 255)},
    {15, 0xC8D0D4},
    {16, 0x808080},
    {17, Rgb(128, 128, 128)},
    {18, 0x000000},
    {19, Rgb(212, 208, 200)},
    {20, 0xFFFFFF},
    {21, 0x404040},
    {22, 0xC8D0D4},
    {23, 0x000000},
    {24, Rgb(255, 255, 225)},
    {25, std::nullopt},
    {26, Rgb(0, 0, 128)},
    {27, Rgb(166, 202, 240)},
    {28, Rgb(192, 192, 192)},
    {29, Rgb(10, 36, 106)},
    {30, Rgb(212, 208, 200)},
};

TEST(OleColor, SystemColorsFollowTheClassicScheme) {
    static_assert(std::size(kScheme) == kSystemColorCount);
    for (const auto& entry : kScheme) {
        SCOPED_TRACE(entry.index);
        EXPECT_EQ(SystemColor(entry.index), entry.color);
        const uint32_t reference = 0x80000000u | static_cast<uint32_t>(entry.index);
        EXPECT_EQ(TranslateOleColor(reference), entry.color.value_or(0));
    }
}

TEST(OleColor, IndicesOutsideTheTableHaveNoColor) {
    for (int32_t index : {-1, 31, 32, 255, 0x7FFFFFFF}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(SystemColor(index), std::nullopt);
    }
}

TEST(OleColor, UntranslatableValuesBecomeBlack) {
    for (uint32_t ole :
         {0x8000001Fu, 0x800000FFu, 0x80000119u, 0x8000010Fu, 0x8001000Fu, 0x8100000Fu, 0x01000005u,
          0x0100FFFFu, 0x03123456u, 0xFF00000Fu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(ole);
        EXPECT_EQ(TranslateOleColor(ole), 0u);
    }
}

TEST(OleColor, PlainColorsPassUnchanged) {
    for (uint32_t ole : {0x000000u, 0xFFFFFFu, 0xC0C0C0u, 0x80000Fu, 0x00000Fu, 0x123456u}) {
        SCOPED_TRACE(ole);
        EXPECT_EQ(TranslateOleColor(ole), ole);
    }
}

TEST(OleColor, PaletteRelativeColorGivesItsRgb) {
    EXPECT_EQ(TranslateOleColor(0x02123456u), 0x123456u);
    EXPECT_EQ(TranslateOleColor(0x02000000u), 0u);
}

}  // namespace
}  // namespace platform
