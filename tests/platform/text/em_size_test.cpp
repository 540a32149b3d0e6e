#include "platform/text/em_size.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(EmPixels, PointSizesAtNinetySixDpi) {
    struct Case {
        int64_t sizeCy;
        int32_t em;
    };
    const Case cases[] = {
        {90000, 12},   // 9 pt
        {142500, 19},  // 14.25 pt
        {97500, 13},   // 9.75 pt
        {82500, 11},   // 8.25 pt
        {180000, 24},  // 18 pt
        {78750, 10},   // 10.5 px exactly: a remainder of 5000 does not round up
        {78751, 11},   // 10.50001 px: just above half rounds up
        {3, 1},        // far below a pixel still gives a usable font
        {0, 1},       {-90000, 1}, {int64_t{1} << 40, kMaxEmPixels},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EmPixels(c.sizeCy), c.em) << c.sizeCy;
}

}  // namespace
}  // namespace platform
