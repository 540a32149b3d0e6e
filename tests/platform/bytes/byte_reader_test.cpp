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

TEST(ByteReader, ReadsInOrderFromItsPosition) {
    const std::vector<uint8_t> bytes = {0x07, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12,
                                        'h',  0x00, 0xAC, 0x20, 0xAA, 0xBB};
    ByteReader reader(bytes);
    EXPECT_EQ(reader.U8(), 0x07);
    EXPECT_EQ(reader.U16(), 0x1234);
    EXPECT_EQ(reader.U32(), 0x12345678u);
    EXPECT_EQ(reader.Units(2), u"h\u20AC");
    EXPECT_EQ(reader.Pos(), 11u);
    EXPECT_EQ(reader.Rest().size(), 2u);
    EXPECT_EQ(reader.Pos(), 11u);
    reader.Skip(1);
    EXPECT_EQ(reader.Take(1)[0], 0xBB);
    EXPECT_EQ(reader.Pos(), bytes.size());
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

TEST(ByteReader, AReadInOrderThatThrowsLeavesThePosition) {
    ByteReader reader(kBytes);
    reader.Skip(4);
    EXPECT_EQ(ErrorOf([&] { reader.U32(); }).At(), 4u);
    EXPECT_EQ(ErrorOf([&] { reader.Take(3); }).Count(), 3u);
    EXPECT_EQ(ErrorOf([&] { reader.Units(2); }).Count(), 4u);
    // Twice this count is past any size: it fails instead of wrapping round to a small one.
    EXPECT_EQ(ErrorOf([&] { reader.Units(std::numeric_limits<size_t>::max() / 2 + 1); }).At(), 4u);
    EXPECT_EQ(reader.Pos(), 4u);
    EXPECT_EQ(reader.U16(), 0x0605);
    EXPECT_EQ(ErrorOf([&] { reader.U8(); }).Offset(), 6u);
    EXPECT_EQ(ErrorOf([&] { reader.Skip(1); }).At(), 6u);
}

}  // namespace
}  // namespace platform
