#include "platform/display/wayland/wayland_pointer.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cstdint>
#include <utility>

#include "platform/ui/keys.h"

namespace platform {
namespace {

TEST(WaylandPointer, GivesTheBitOfLeftRightAndMiddleOnly) {
    const std::pair<uint32_t, int32_t> cases[] = {{BTN_LEFT, kButtonLeft},
                                                  {BTN_RIGHT, kButtonRight},
                                                  {BTN_MIDDLE, kButtonMiddle},
                                                  {BTN_SIDE, 0},
                                                  {BTN_MISC, 0},
                                                  {0, 0}};
    for (const auto& [button, bit] : cases)
        EXPECT_EQ(PointerButtonBit(button), bit) << button;
}

TEST(WaylandPointer, RoundsFixedPointPositionsDown) {
    // 24.8 fixed point: 256 is one pixel.
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 0},     {255, 0},   {256, 1},   {10 * 256 + 192, 10}, {-1, -1},
        {-128, -1}, {-256, -1}, {-257, -2}, {INT32_MAX, 8388607}, {INT32_MIN, -8388608}};
    for (const auto& [fixed, pixel] : cases) {
        EXPECT_EQ(PointerDevicePixel(fixed, 0, {}), (Point{pixel, 0})) << fixed;
        EXPECT_EQ(PointerDevicePixel(0, fixed, {}), (Point{0, pixel})) << fixed;
    }
}

TEST(WaylandPointer, ScalesPositionsToDevicePixelsBeforeRoundingDown) {
    const DeviceScale oneAndAHalf = DeviceScale::FromPer120(180);
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 0},   {170, 0},   {171, 1},   {2 * 256, 3},          {10 * 256 + 128, 15},
        {-1, -1}, {-171, -2}, {-172, -2}, {INT32_MAX, 12582911}, {INT32_MIN, -12582912}};
    for (const auto& [fixed, pixel] : cases)
        EXPECT_EQ(PointerDevicePixel(fixed, fixed, oneAndAHalf), (Point{pixel, pixel})) << fixed;
    EXPECT_EQ(PointerDevicePixel(3 * 256 + 128, 256, DeviceScale::FromPer120(240)), (Point{7, 2}));
}

}  // namespace
}  // namespace platform
