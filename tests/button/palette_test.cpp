#include "button/palette.h"

#include <gtest/gtest.h>

#include "tests/support/pixels.h"

namespace button {
namespace {

using platform::Rgb;
using testsupport::Grey;

PaletteSource Own(OleColor back, bool soft = false) {
    PaletteSource s;
    s.colorScheme = ColorScheme::Own;
    s.backColor = back;
    s.backOver = 0x00123456;
    s.foreColor = 0x00800080;
    s.foreOver = 0x80000012;
    s.maskColor = 0x00C0C0C0;
    s.softBevel = soft;
    return s;
}

TEST(DerivePalette, OwnColoursDeriveEveryEdgeFromTheFace) {
    const Palette p = DerivePalette(Own(0x00E0E0E0));
    EXPECT_EQ(p.Face, Grey(224));
    EXPECT_EQ(p.Shadow, Grey(160));
    EXPECT_EQ(p.Light, Grey(255));
    EXPECT_EQ(p.Highlight, Grey(255));
    EXPECT_EQ(p.DarkShadow, Grey(32));
    EXPECT_EQ(p.Accent, Grey(96));
    EXPECT_EQ(p.AccentLight, Grey(224));
    EXPECT_EQ(p.FaceShade, Grey(255));
    EXPECT_EQ(p.FaceOver, 0x00123456u);
    EXPECT_EQ(p.Text, 0x00800080u);
    EXPECT_EQ(p.TextOver, 0u);  // a system-colour reference, resolved
    EXPECT_EQ(p.Mask, 0x00C0C0C0u);
}

TEST(DerivePalette, SoftBevelHalvesEveryShift) {
    const Palette p = DerivePalette(Own(0x00E0E0E0, true));
    EXPECT_EQ(p.Shadow, Grey(192));
    EXPECT_EQ(p.Light, Grey(239));
    EXPECT_EQ(p.Highlight, Grey(247));
    EXPECT_EQ(p.DarkShadow, Grey(128));
    EXPECT_EQ(p.Accent, Grey(160));
    EXPECT_EQ(p.FaceShade, Grey(248));
}

TEST(DerivePalette, ChannelsClampEachOnItsOwn) {
    const Palette p = DerivePalette(Own(0x000000FF));
    EXPECT_EQ(p.Shadow, Rgb(191, 0, 0));
    EXPECT_EQ(p.Light, Rgb(255, 31, 31));
    EXPECT_EQ(p.Highlight, Rgb(255, 47, 47));
    EXPECT_EQ(p.DarkShadow, Rgb(63, 0, 0));
    EXPECT_EQ(p.Accent, Rgb(127, 0, 0));
    EXPECT_EQ(p.FaceShade, Rgb(255, 48, 48));
}

TEST(DerivePalette, SystemSchemeAndEveryUnknownSchemeAlike) {
    PaletteSource s = Own(0x000000FF);
    s.colorScheme = ColorScheme::System;
    const Palette system = DerivePalette(s);
    EXPECT_EQ(system.Face, 0x00C8D0D4u);
    EXPECT_EQ(system.FaceOver, 0x00C8D0D4u);
    EXPECT_EQ(system.Text, 0u);
    EXPECT_EQ(system.Shadow, 0x00808080u);
    EXPECT_EQ(system.Light, 0x00C8D0D4u);
    EXPECT_EQ(system.Highlight, 0x00FFFFFFu);
    EXPECT_EQ(system.DarkShadow, 0x00404040u);
    EXPECT_EQ(system.Accent, Rgb(10, 36, 106));
    EXPECT_EQ(system.AccentLight, Rgb(179, 187, 208));
    EXPECT_EQ(system.FaceShade, OffsetColor(0x00C8D0D4, 48, Shift::Even, false));
    for (int32_t scheme : {0, 5, -1}) {
        s.colorScheme = ColorSchemeOf(scheme);
        EXPECT_EQ(DerivePalette(s), system) << scheme;
    }
}

TEST(DerivePalette, FixedGreyIgnoresTheColoursButTheMask) {
    PaletteSource s = Own(0x000000FF);
    s.colorScheme = ColorScheme::Grey;
    s.maskColor = 0x00FF00FF;
    const Palette p = DerivePalette(s);
    EXPECT_EQ(p.Face, 0x00C0C0C0u);
    EXPECT_EQ(p.Text, 0u);
    EXPECT_EQ(p.Accent, 0x00800000u);
    EXPECT_EQ(p.AccentLight, 0x00D1ADADu);
    EXPECT_EQ(p.Light, 0x00DFDFDFu);
    EXPECT_EQ(p.Mask, 0x00FF00FFu);
}

TEST(DerivePalette, ParentSchemeUsesTheParentsColours) {
    PaletteSource s = Own(0x000000FF);
    s.colorScheme = ColorScheme::Parent;
    s.parentBackground = Grey(128);
    s.parentText = 0x00FFFFFF;
    const Palette p = DerivePalette(s);
    EXPECT_EQ(p.Face, Grey(128));
    EXPECT_EQ(p.FaceOver, Grey(128));
    EXPECT_EQ(p.Text, 0x00FFFFFFu);
    EXPECT_EQ(p.Shadow, Grey(64));
    EXPECT_EQ(p.Accent, Rgb(10, 36, 106));
}

TEST(DerivePalette, FaceShadeTakesTheLooksShift) {
    PaletteSource s = Own(Grey(128));
    s.faceShadeShift = Shift::BlueInProportion;
    EXPECT_EQ(DerivePalette(s).FaceShade, Rgb(176, 176, 160));
    s.faceShadeShift = Shift::Even;
    EXPECT_EQ(DerivePalette(s).FaceShade, Grey(176));
}

}  // namespace
}  // namespace button
