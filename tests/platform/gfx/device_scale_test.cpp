#include "platform/gfx/device_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/gfx/copy_rect.h"
#include "platform/gfx/draw_image.h"
#include "platform/gfx/ellipse.h"
#include "platform/gfx/focus_rect.h"
#include "platform/gfx/rect_paint.h"
#include "platform/gfx/surface.h"

namespace platform {
namespace {

DeviceScale At(double factor) {
    return DeviceScale::FromFactor(factor);
}

TEST(DeviceScale, EdgesRoundHalvesAwayFromZero) {
    struct Case {
        double factor;
        std::vector<int32_t> edges;  // of -2 .. 6
    };
    const Case cases[] = {
        {1.0, {-2, -1, 0, 1, 2, 3, 4, 5, 6}},
        {1.25, {-3, -1, 0, 1, 3, 4, 5, 6, 8}},  // 1.25 rounds down, 2.5 and -2.5 away
        {1.5, {-3, -2, 0, 2, 3, 5, 6, 8, 9}},
        {1.75, {-4, -2, 0, 2, 4, 5, 7, 9, 11}},
        {2.0, {-4, -2, 0, 2, 4, 6, 8, 10, 12}},
        {3.0, {-6, -3, 0, 3, 6, 9, 12, 15, 18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        for (int32_t x = -2; x <= 6; ++x)
            EXPECT_EQ(At(c.factor).Edge(x), c.edges[static_cast<size_t>(x + 2)]) << x;
    }
    // The calculator's client area at the desktop densities.
    EXPECT_EQ(At(1.5).Map(Rect{0, 0, 312, 324}), (Rect{0, 0, 468, 486}));
    EXPECT_EQ(At(1.25).Map(Rect{0, 0, 312, 324}), (Rect{0, 0, 390, 405}));
    EXPECT_EQ(At(1.75).Map(Rect{0, 0, 312, 324}), (Rect{0, 0, 546, 567}));
}

// At every scale in 120ths, each logical pixel covers floor(s) or ceil(s) device pixels, and
// LogicalAt finds the logical pixel of every device pixel.
TEST(DeviceScale, PixelsTileAndLogicalAtInvertsEdge) {
    for (int64_t per120 = DeviceScale::kMin; per120 <= DeviceScale::kMax; ++per120) {
        const DeviceScale scale = DeviceScale::FromPer120(per120);
        const double s = scale.Factor();
        for (int32_t x = -40; x < 40; ++x) {
            const int32_t width = scale.Edge(x + 1) - scale.Edge(x);
            ASSERT_TRUE(width == static_cast<int32_t>(std::floor(s)) ||
                        width == static_cast<int32_t>(std::ceil(s)))
                << per120 << " " << x;
        }
        for (int32_t d = -60; d < 60; ++d) {
            const int32_t x = scale.LogicalAt(d);
            ASSERT_LE(scale.Edge(x), d) << per120 << " " << d;
            ASSERT_GT(scale.Edge(x + 1), d) << per120 << " " << d;
        }
    }
}

TEST(DeviceScale, FactorsAreHeldFromOneToFourInWholeHundredTwentieths) {
    EXPECT_EQ(At(1.5).Per120(), 180);
    EXPECT_EQ(At(1.3).Per120(), 156);
    EXPECT_EQ(At(0.5).Per120(), 120);
    EXPECT_EQ(At(9).Per120(), 480);
    EXPECT_EQ(At(std::numeric_limits<double>::quiet_NaN()).Per120(), 120);
    EXPECT_EQ(DeviceScale::FromPer120(-5).Per120(), 120);
    EXPECT_TRUE(At(2).IsWhole());
    EXPECT_FALSE(At(1.5).IsWhole());
}

TEST(DeviceScale, RegionsMapSpanBySpanAndCoverFindsTheLogicalPixels) {
    // Two pixels of row 1 apart, and one of row 2, at 1.5: row 1 covers device row 2, row 2
    // device rows 3 and 4.
    const Region logical = Region::FromRect({0, 1, 1, 2})
                               .Union(Region::FromRect({2, 1, 3, 2}))
                               .Union(Region::FromRect({1, 2, 2, 3}));
    const Region device = At(1.5).Map(logical);
    const std::vector<Span> expected = {{2, 0, 2}, {2, 3, 5}, {3, 2, 3}, {4, 2, 3}};
    EXPECT_EQ(std::vector<Span>(device.Spans().begin(), device.Spans().end()), expected);
    EXPECT_EQ(At(1.5).Cover({2, 2, 4, 5}), (Rect{1, 1, 3, 3}));
}

// A surface that lies one logical pixel into its window at 1.5 covers the window's device
// columns from Edge(1) = 2 on: its own logical column 0 is device column 0 of one pixel's width.
TEST(ScaledSurface, LiesOnItsWindowsDeviceEdges) {
    Surface surface(4, 2, 0, {At(1.5), {1, 0}});
    EXPECT_EQ(surface.DeviceWidth(), At(1.5).Edge(5) - At(1.5).Edge(1));
    EXPECT_EQ(surface.DeviceX(1), 1);
    EXPECT_EQ(surface.DeviceX(2), 3);
    EXPECT_EQ(surface.LogicalAt({2, 0}), (Point{1, 0}));
    // Neighbouring one-pixel lines tile the device pixels with no gap and no overlap.
    FillRect(surface, {0, 0, 1, 2}, 0x0000FF);
    FillRect(surface, {1, 0, 2, 2}, 0x00FF00);
    FillRect(surface, {2, 0, 3, 2}, 0xFF0000);
    const Color* row = surface.Row(0);
    EXPECT_EQ(std::vector<Color>(row, row + 4),
              (std::vector<Color>{0x0000FF, 0x00FF00, 0x00FF00, 0xFF0000}));
}

TEST(ScaledSurface, ClipsAndSinglePixelsCoverWholeBlocks) {
    Surface surface(4, 4, 0, {At(2), {}});
    surface.SetClip(Region::FromRect({1, 1, 3, 3}));
    FillRect(surface, surface.Bounds(), 0xFFFFFF);
    surface.ClearClip();
    surface.SetPixel(0, 0, 0x123456);
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            const Color expected = x < 2 && y < 2                         ? 0x123456
                                   : (x >= 2 && x < 6 && y >= 2 && y < 6) ? 0xFFFFFF
                                                                          : 0;
            EXPECT_EQ(surface.Row(y)[x], expected) << x << "," << y;
        }
    }
    // A focus rectangle's dots are whole blocks, its parity the logical pixel's.
    Surface dotted(2, 1, 0, {At(2), {}});
    dotted.textColor = 0x0000FF;
    dotted.backgroundColor = 0x00FF00;
    DrawFocusRect(dotted, dotted.Bounds());
    EXPECT_EQ(std::vector<Color>(dotted.Row(1), dotted.Row(1) + 4),
              (std::vector<Color>{0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00}));
}

// A child's background taken from its parent at the same place on the window is the parent's
// device pixels exactly, at a scale where blocks are uneven.
TEST(ScaledSurface, CopiesBetweenSurfacesOnOneGridArePixelExact) {
    Surface parent(6, 3, 0, {At(1.5), {}});
    for (int32_t d = 0; d < parent.DeviceWidth(); ++d)
        parent.Row(At(1.5).Edge(1))[d] = static_cast<Color>(d + 1);
    Surface child(3, 2, 0, {At(1.5), {1, 1}});
    CopyRect(child, {0, 0}, parent, {1, 1, 4, 3});
    for (int32_t d = 0; d < child.DeviceWidth(); ++d)
        EXPECT_EQ(child.Row(0)[d], static_cast<Color>(d + At(1.5).Edge(1) + 1)) << d;
}

TEST(ScaledSurface, PicturesAreBlocksAtWholeScalesAndSmoothAtOthers) {
    Image image{2, 1, {0xFF000000, 0xFFFFFFFF}, {}};
    Surface doubled(2, 1, 0x808080, {At(2), {}});
    DrawImage(doubled, {0, 0}, image);
    EXPECT_EQ(std::vector<Color>(doubled.Row(1), doubled.Row(1) + 4),
              (std::vector<Color>{0, 0, 0xFFFFFF, 0xFFFFFF}));
    // At 1.5 the middle device pixel's centre lies halfway between the two image pixels; the
    // outer ones lie beyond the image pixels' centres and take them alone.
    Surface smooth(2, 1, 0x123456, {At(1.5), {}});
    DrawImage(smooth, {0, 0}, image);
    EXPECT_EQ(std::vector<Color>(smooth.Row(0), smooth.Row(0) + 3),
              (std::vector<Color>{0, 0x808080, 0xFFFFFF}));
}

// A picture decoded only as far as a surface shows it, a pixel more each way, draws as the whole
// picture does, at every scale; the surface is smaller than the picture in both directions.
TEST(ScaledSurface, ThePartOfAPictureThatShowsDrawsAsTheWholePicture) {
    Image whole{23, 17, {}, {}};
    for (int32_t i = 0; i < 23 * 17; ++i)
        whole.pixels.push_back(0xFF000000u | uint32_t(i * 2654435761u) >> 8);
    for (const double factor : {1.0, 1.25, 1.5, 2.0, 2.5}) {
        SCOPED_TRACE(factor);
        Surface expected(11, 7, 0x123456, {At(factor), {}});
        DrawImage(expected, {0, 0}, whole);
        ImagePart part{{12, 8, {}, {}}, whole.width, whole.height};
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 12; ++x)
                part.image.pixels.push_back(whole.pixels[y * whole.width + x]);
        Surface drawn(11, 7, 0x123456, {At(factor), {}});
        DrawImageTopLeft(drawn, {0, 0}, part);
        EXPECT_EQ(drawn.Pixels(), expected.Pixels());
    }
}

// An ellipse traced on the device pixels at 3x is rounder than the 1x one enlarged: some of
// its 3 x 3 blocks are not of one colour.
TEST(ScaledSurface, EllipsesAreTracedOnTheDevicePixels) {
    Surface surface(8, 6, 0, {At(3), {}});
    DrawEllipse(surface, surface.Bounds(), 0x0000FF, 1, 0x00FF00);
    int32_t mixedBlocks = 0;
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            const Color first = surface.Row(3 * y)[3 * x];
            bool mixed = false;
            for (int32_t v = 0; v < 3; ++v)
                for (int32_t u = 0; u < 3; ++u)
                    mixed = mixed || surface.Row(3 * y + v)[3 * x + u] != first;
            mixedBlocks += mixed;
        }
    }
    EXPECT_GT(mixedBlocks, 6);
    // The pen is three device pixels wide, centred on the outline: at the top's middle one row
    // lies above the surface, and two rows of outline colour show above the fill.
    EXPECT_EQ(surface.Row(0)[12], 0x0000FFu);
    EXPECT_EQ(surface.Row(1)[12], 0x0000FFu);
    EXPECT_EQ(surface.Row(2)[12], 0x00FF00u);
}

}  // namespace
}  // namespace platform
