#include "platform/bytes/byte_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace platform {
namespace {

TEST(ByteWriter, WritesLittleEndianKeepingTheLowBits) {
    ByteWriter out;
    out.U8(0x1FF);
    out.U16(0xABCD1234);
    out.U32(0x12345678);
    out.Units(u"h\u20AC");
    const std::vector<uint8_t> more = {0xAA, 0xBB};
    out.Append(more);
    out.Zeros(2);
    EXPECT_EQ(out.Size(), 15u);
    EXPECT_EQ(out.Take(), (std::vector<uint8_t>{0xFF, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 'h', 0x00,
                                                0xAC, 0x20, 0xAA, 0xBB, 0x00, 0x00}));
}

}  // namespace
}  // namespace platform
