#include "platform/bytes/byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace platform {
namespace {

const std::vector<uint8_t> kBytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};

// The error of a read, or a failure when the read does not throw.
template <typename Read>
ByteRangeError ErrorOf(Read read) {
    try {
        read();
    } catch (const ByteRangeError& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return ByteRangeError(0, 0, 0);
}

TEST(ByteReader, ReadsLittleEndianAndBigEndianAtOffsets) {
    const ByteReader reader(kBytes);
    EXPECT_EQ(reader.U8At(5), 0x06);
    EXPECT_EQ(reader.U16At(1), 0x0302);
    EXPECT_EQ(reader.U32At(2), 0x06050403u);
    EXPECT_EQ(reader.U32BigEndianAt(2), 0x03040506u);
    EXPECT_EQ(ByteReader(std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}).I32At(0), -2);
    EXPECT_EQ(reader.BytesAt(6, 0).size(), 0u);
}

TEST(ByteReader, EveryReadPastTheEndThrowsAtTheFirstMissingByte) {
    const ByteReader reader(kBytes);
    struct {
        const char* what;
        ByteRangeError error;
        size_t at, count;
    } cases[] = {
        {"U8At at the end", ErrorOf([&] { reader.U8At(6); }), 6, 1},
        {"U16At over the end", ErrorOf([&] { reader.U16At(5); }), 5, 2},
        {"U32At over the end", ErrorOf([&] { reader.U32At(3); }), 3, 4},
        {"U32BigEndianAt far past", ErrorOf([&] { reader.U32BigEndianAt(100); }), 100, 4},
        {"BytesAt a huge count",
         ErrorOf([&] { reader.BytesAt(1, std::numeric_limits<size_t>::max()); }), 1,
         std::numeric_limits<size_t>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error.At(), c.at) << c.what;
        EXPECT_EQ(c.error.Count(), c.count) << c.what;
        EXPECT_EQ(c.error.Offset(), kBytes.size()) << c.what;
    }
}

}  // namespace
}  // namespace platform
