#include <gtest/gtest.h>

#include "platform/image/image.h"

namespace platform {
namespace {

TEST(WithInvertStandIns, LightInvertColoursTurnOpaqueBlackDarkOnesOpaqueWhite) {
    // Channel sums: 765, 385 (light) and 384 (dark).
    const Image image{4, 1, {0xFF0A0B0C, 0, 0, 0}, {0, 0xFFFFFF, 0x808081, 0x808080}};
    const Image shown = WithInvertStandIns(image);
    EXPECT_EQ(shown.pixels,
              (std::vector<uint32_t>{0xFF0A0B0C, 0xFF000000, 0xFF000000, 0xFFFFFFFF}));
    EXPECT_TRUE(shown.invert.empty());
}

}  // namespace
}  // namespace platform
