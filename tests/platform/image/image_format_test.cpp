#include <gtest/gtest.h>

#include "platform/image/image.h"

namespace platform {
namespace {

TEST(SniffImageFormat, KnowsEachFormatByItsFirstBytes) {
    struct Case {
        std::vector<uint8_t> bytes;
        ImageFormat want;
    };
    const Case cases[] = {
        {{'B', 'M', 0x36, 0}, ImageFormat::Bmp},
        {{0, 0, 1, 0, 1, 0}, ImageFormat::Ico},
        {{0, 0, 2, 0, 1, 0}, ImageFormat::Cur},
        {{0xFF, 0xD8, 0xFF, 0xE0}, ImageFormat::Jpeg},
        {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, ImageFormat::Png},
        {{}, ImageFormat::Unknown},
        {{'B'}, ImageFormat::Unknown},
        {{0, 0, 3, 0}, ImageFormat::Unknown},
        {{0, 0, 1}, ImageFormat::Unknown},
        {{0xFF, 0xD8, 0x00}, ImageFormat::Unknown},
        {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, ImageFormat::Unknown},
        {{0x6C, 0x74, 0, 0}, ImageFormat::Unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SniffImageFormat(c.bytes), c.want) << ::testing::PrintToString(c.bytes);
    }
}

}  // namespace
}  // namespace platform
