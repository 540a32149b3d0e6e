#include "button/color_math.h"

#include <gtest/gtest.h>

namespace button {
namespace {

using platform::Rgb;

struct OffsetCase {
    Color colour;
    int32_t amount;
    bool proportional;
    bool soft;
    Color expected;
};

TEST(OffsetColor, ShiftsClampsInTheShiftDirectionAndHalvesUnderSoftBevel) {
    const OffsetCase cases[] = {
        {Rgb(128, 128, 128), 48, true, false, Rgb(176, 176, 160)},  // blue + 128*48/192
        {Rgb(192, 192, 192), -9, false, false, Rgb(183, 183, 183)},
        {Rgb(192, 192, 192), -9, false, true, Rgb(188, 188, 188)},  // -9 halves to -4
        {Rgb(255, 0, 0), 47, false, false, Rgb(255, 47, 47)},
        {Rgb(48, 32, 16), -64, false, false, Rgb(0, 0, 0)},
        {Rgb(10, 20, 30), 1, false, true, Rgb(10, 20, 30)},        // 1 halves to 0
        {Rgb(200, 100, 250), 31, true, true, Rgb(215, 115, 255)},  // 15; blue 250*15/192 = 19
        {Rgb(0, 0, 100), -50, true, false, Rgb(0, 0, 74)},         // blue 100*-50/192 = -26
        {Rgb(255, 255, 255), 0, true, false, Rgb(255, 255, 255)},
    };
    for (const OffsetCase& c : cases) {
        EXPECT_EQ(OffsetColor(c.colour, c.amount,
                              c.proportional ? Shift::BlueInProportion : Shift::Even, c.soft),
                  c.expected)
            << std::hex << c.colour << " " << std::dec << c.amount;
    }
}

TEST(LightenColor, MovesTowardWhite) {
    EXPECT_EQ(LightenColor(Rgb(10, 36, 106), 176), Rgb(179, 187, 208));
    EXPECT_EQ(LightenColor(Rgb(10, 36, 106), 128), Rgb(132, 145, 180));
    EXPECT_EQ(LightenColor(Rgb(12, 34, 56), 0), Rgb(12, 34, 56));
    EXPECT_EQ(LightenColor(Rgb(12, 34, 56), 255), Rgb(255, 255, 255));
}

TEST(ResolveColor, PlainColoursPassAndSystemReferencesResolve) {
    EXPECT_EQ(ResolveColor(0x00123456), 0x00123456u);
    EXPECT_EQ(ResolveColor(0x8000000F), 0x00C8D0D4u);  // button face
    EXPECT_EQ(ResolveColor(0x80000012), 0x00000000u);  // button text
    EXPECT_EQ(ResolveColor(0x80000063), 0u);           // no such system colour
}

}  // namespace
}  // namespace button
