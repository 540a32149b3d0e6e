#include "platform/display/wayland/surface_scaling.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

const DeviceScale kOneAndAHalf = DeviceScale::FromPer120(180);
const DeviceScale kTwo = DeviceScale::FromPer120(240);

TEST(SurfaceScaling, FractionalScalesGoThroughAViewportOfTheLogicalSize) {
    const SurfaceScaling scaling = ScalingOf({468, 486}, kOneAndAHalf, ViewportUse::Always);
    EXPECT_EQ(scaling, (SurfaceScaling{1, Size{312, 324}, {312, 324}}));
    // A whole scale too, where the compositor gives fractional ones.
    EXPECT_EQ(ScalingOf({624, 648}, kTwo, ViewportUse::Always),
              (SurfaceScaling{1, Size{312, 324}, {312, 324}}));
}

TEST(SurfaceScaling, AZoomedBufferIsShownAtItsSizeOnTheCompositorsGrid) {
    // 312 × 324 at 1.5 × 1.5: 702 × 729 device pixels, 468 × 486 on a grid of 1.5.
    EXPECT_EQ(ScalingOf({702, 729}, kOneAndAHalf, ViewportUse::Always).destination,
              (Size{468, 486}));
    // Halves round up, and nothing shrinks to nothing.
    EXPECT_EQ(CompositorSize({3, 1}, kTwo), (Size{2, 1}));
    EXPECT_EQ(CompositorSize({1, 0}, DeviceScale::FromPer120(480)), (Size{1, 1}));
}

TEST(SurfaceScaling, WholeScalesThatDivideTheBufferUseTheBufferScale) {
    EXPECT_EQ(ScalingOf({624, 648}, kTwo, ViewportUse::WhenUneven),
              (SurfaceScaling{2, std::nullopt, {312, 324}}));
    EXPECT_EQ(ScalingOf({624, 648}, kTwo, ViewportUse::Never),
              (SurfaceScaling{2, std::nullopt, {312, 324}}));
    // A zoom of 1.5 at 2: 936 × 972 device pixels.
    EXPECT_EQ(ScalingOf({936, 972}, kTwo, ViewportUse::WhenUneven),
              (SurfaceScaling{2, std::nullopt, {468, 486}}));
}

TEST(SurfaceScaling, UnevenBuffersNeedAViewportOrGoOnePixelPerUnit) {
    EXPECT_EQ(ScalingOf({625, 648}, kTwo, ViewportUse::WhenUneven),
              (SurfaceScaling{1, Size{313, 324}, {313, 324}}));
    EXPECT_EQ(ScalingOf({624, 647}, kTwo, ViewportUse::Never),
              (SurfaceScaling{1, std::nullopt, {624, 647}}));
}

}  // namespace
}  // namespace platform
