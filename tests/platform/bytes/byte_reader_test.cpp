#include "platform/bytes/byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace platform {
namespace {

const std::vector<uint8_t> kBytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};

// The error of a read, or a failure when the read does not fail.
template <typename Read>
ReadError ErrorOf(Read read) {
    auto result = read();
    if (result.IsError()) return std::move(result).Error();
    ADD_FAILURE() << "no error";
    return ReadError{};
}

// The message of a read of `count` bytes at `at` that passes the end.
std::string EndsEarly(size_t count, size_t at) {
    return "image data ends early (needs " + std::to_string(count) + " bytes at offset " +
           std::to_string(at) + ")";
}

TEST(ByteReader, ReadsLittleEndianAndBigEndianAtOffsets) {
    const ByteReader reader(kBytes);
    EXPECT_EQ(reader.U8At(5).Value(), 0x06);
    EXPECT_EQ(reader.U16At(1).Value(), 0x0302);
    EXPECT_EQ(reader.U32At(2).Value(), 0x06050403u);
    EXPECT_EQ(reader.U32BigEndianAt(2).Value(), 0x03040506u);
    EXPECT_EQ(ByteReader(std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}).I32At(0).Value(), -2);
    EXPECT_EQ(reader.BytesAt(6, 0).Value().size(), 0u);
}

TEST(ByteReader, EveryReadPastTheEndFailsAtTheFirstMissingByte) {
    const ByteReader reader(kBytes);
    struct {
        const char* what;
        ReadError error;
        size_t at, count;
    } cases[] = {
        {"U8At at the end", ErrorOf([&] { return reader.U8At(6); }), 6, 1},
        {"U16At over the end", ErrorOf([&] { return reader.U16At(5); }), 5, 2},
        {"U32At over the end", ErrorOf([&] { return reader.U32At(3); }), 3, 4},
        {"U32BigEndianAt far past", ErrorOf([&] { return reader.U32BigEndianAt(100); }), 100, 4},
        {"BytesAt a huge count",
         ErrorOf([&] { return reader.BytesAt(1, std::numeric_limits<size_t>::max()); }), 1,
         std::numeric_limits<size_t>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error.message, EndsEarly(c.count, c.at)) << c.what;
        EXPECT_EQ(c.error.offset, kBytes.size()) << c.what;
    }
}

}  // namespace
}  // namespace platform
