// Every look while the desktop forces its colours (high contrast): a plain face in the table's
// button face, a two-pixel outline in its button text, highlight while lit; and the designed
// picture back, pixel for pixel, when the desktop stops forcing them.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "button/looks.h"
#include "platform/objects/system_colors.h"
#include "tests/button/every_look.h"
#include "tests/button/styled_button.h"

namespace button {
namespace {

constexpr int32_t kWidth = 40;
constexpr int32_t kHeight = 20;
constexpr platform::Appearance kHighContrast{.highContrast = true};

std::vector<Color> Copy(const platform::Surface& s) {
    std::vector<Color> pixels;
    for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < s.Width(); ++x)
            pixels.push_back(s.Pixel(x, y));
    return pixels;
}

class ForcedColours : public ::testing::TestWithParam<Look> {};

TEST_P(ForcedColours, PlainFaceStrongOutlineAndTheDesignBackAfterwards) {
    const Look& look = GetParam();
    StyledButton b(static_cast<int32_t>(look.type), kWidth, kHeight, 2);
    b.button->SetBackColor(0x0000FF);
    b.backend.ProcessUntilIdle();
    const std::vector<Color> designed = Copy(b.Pixels());
    const Palette designedPalette = b.Colours();

    b.system.SetDesktopAppearance(platform::AppearanceSource::Portal, kHighContrast);
    b.backend.ProcessUntilIdle();
    using enum platform::SystemColorIndex;
    const Color face = platform::SystemColor(ButtonFace);
    const Color edge = platform::SystemColor(ButtonText);
    const platform::Surface& s = b.Pixels();
    // Two pixels of outline on every side, across the middle row and column; inside, the face
    // (the whole rectangle within the outline, the ellipse's middle).
    for (const int32_t x : {0, 1, kWidth - 2, kWidth - 1})
        EXPECT_EQ(s.Pixel(x, kHeight / 2), edge) << x;
    for (const int32_t y : {0, 1, kHeight - 2, kHeight - 1})
        EXPECT_EQ(s.Pixel(kWidth / 2, y), edge) << y;
    const bool oval = look.shape == WindowShape::Ellipse;
    for (int32_t y = oval ? kHeight / 2 : 2; y < (oval ? kHeight / 2 + 1 : kHeight - 2); ++y)
        for (int32_t x = oval ? 4 : 2; x < kWidth - (oval ? 4 : 2); ++x)
            ASSERT_EQ(s.Pixel(x, y), face) << x << "," << y;

    b.system.SetDesktopAppearance(platform::AppearanceSource::Portal, std::nullopt);
    b.backend.ProcessUntilIdle();
    EXPECT_TRUE(b.Colours() == designedPalette);
    EXPECT_TRUE(Copy(b.Pixels()) == designed);

    b.system.SetDesktopAppearance(platform::AppearanceSource::Portal, kHighContrast);
    b.PointerOver();
    EXPECT_EQ(s.Pixel(kWidth / 2, kHeight / 2), platform::SystemColor(Highlight));
}

INSTANTIATE_TEST_SUITE_P(Looks, ForcedColours, ::testing::ValuesIn(Looks().begin(), Looks().end()),
                         LookTestName);

}  // namespace
}  // namespace button
