#include "platform/objects/font_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {
namespace {

// The calculator keys' font: "Arial Black", 9 pt, weight 900, ANSI character set.
const std::vector<uint8_t> kArialBlack = {0x01, 0x00, 0x00, 0x00, 0x84, 0x03, 0x90, 0x5F,
                                          0x01, 0x00, 0x0B, 'A',  'r',  'i',  'a',  'l',
                                          ' ',  'B',  'l',  'a',  'c',  'k'};

// A stream written by the desktop platform: "MS Sans Serif", 8.25 pt, weight 400.
const std::vector<uint8_t> kMsSansSerif = {0x01, 0x00, 0x00, 0x00, 0x90, 0x01, 0x44, 0x42,
                                           0x01, 0x00, 0x0D, 'M',  'S',  ' ',  'S',  'a',
                                           'n',  's',  ' ',  'S',  'e',  'r',  'i',  'f'};

FontDesc ArialBlack() {
    FontDesc font;
    font.name = "Arial Black";
    font.sizeCy = 90000;
    font.weight = 900;
    return font;
}

TEST(FontStream, WritesTheArialBlackStreamByteForByte) {
    EXPECT_EQ(WriteFontStream(ArialBlack()), kArialBlack);
}

TEST(FontStream, ReadsTheArialBlackStream) {
    size_t consumed = 0;
    EXPECT_EQ(ReadFontStream(kArialBlack, consumed).Value(), ArialBlack());
    EXPECT_EQ(consumed, 22u);
}

TEST(FontStream, ReadsTheDesktopWrittenMsSansSerifSample) {
    size_t consumed = 0;
    const FontDesc font = ReadFontStream(kMsSansSerif, consumed).Value();
    EXPECT_EQ(consumed, kMsSansSerif.size());
    EXPECT_EQ(font.name, "MS Sans Serif");
    EXPECT_EQ(font.sizeCy, 82500);
    EXPECT_DOUBLE_EQ(font.SizePoints(), 8.25);
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.Bold());
    EXPECT_EQ(font.charset, 0);
    EXPECT_FALSE(font.italic || font.underline || font.strikethrough);
    EXPECT_EQ(WriteFontStream(font), kMsSansSerif);
}

TEST(FontStream, RoundTripsEveryField) {
    const auto make = [](std::string name, int64_t sizeCy, int16_t weight, int16_t charset,
                         bool italic, bool underline, bool strikethrough) {
        FontDesc font;
        font.name = std::move(name);
        font.sizeCy = sizeCy;
        font.weight = weight;
        font.charset = charset;
        font.italic = italic;
        font.underline = underline;
        font.strikethrough = strikethrough;
        return font;
    };
    const FontDesc fonts[] = {
        make("Arial", 142500, 700, 0, true, false, false),
        make("Lucida Console", 97500, 400, 2, false, true, false),
        make("Tahoma", 90000, 100, 128, false, false, true),
        make("", 1, 0, 0, true, true, true),
        make("Small", 2500, 400, 0, false, false, false),
        make("\xC4rger", kMaxFontSizeCy, -1, -1, false, true, true),
        make(std::string(252, 'x') + "\xE2\x82\xAC", 10000, 900, 255, true, false, true),
    };
    for (const auto& font : fonts) {
        SCOPED_TRACE(font.name);
        const auto bytes = WriteFontStream(font);
        EXPECT_EQ(bytes.size(), 11 + font.name.size());
        size_t consumed = 0;
        EXPECT_EQ(ReadFontStream(bytes, consumed).Value(), font);
        EXPECT_EQ(consumed, bytes.size());
    }
}

TEST(FontStream, FlagByteCarriesItalicUnderlineStrikethroughButNoBold) {
    FontDesc font = ArialBlack();
    font.SetBold(true);
    EXPECT_EQ(WriteFontStream(font)[3], 0x00);
    font.italic = true;
    EXPECT_EQ(WriteFontStream(font)[3], 0x02);
    font.underline = true;
    EXPECT_EQ(WriteFontStream(font)[3], 0x06);
    font.strikethrough = true;
    EXPECT_EQ(WriteFontStream(font)[3], 0x0E);
}

TEST(FontStream, ReadingIgnoresFlagBitZeroAndUnassignedBits) {
    auto bytes = kMsSansSerif;
    bytes[3] = 0xF1;
    size_t consumed = 0;
    const FontDesc font = ReadFontStream(bytes, consumed).Value();
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.Bold());
    EXPECT_FALSE(font.italic || font.underline || font.strikethrough);
}

TEST(FontStream, StopsAtItsOwnEndAndReportsTheLength) {
    auto bytes = kArialBlack;
    bytes.insert(bytes.end(), {0x6C, 0x74, 0x00, 0x00});
    size_t consumed = 0;
    EXPECT_EQ(ReadFontStream(bytes, consumed).Value(), ArialBlack());
    EXPECT_EQ(consumed, kArialBlack.size());
}

TEST(FontStream, EveryTruncationFailsAtTheFirstMissingByte) {
    for (const auto* stream : {&kArialBlack, &kMsSansSerif}) {
        for (size_t length = 0; length < stream->size(); ++length) {
            SCOPED_TRACE(length);
            size_t consumed = 99;
            const auto read = ReadFontStream(std::span(*stream).first(length), consumed);
            ASSERT_TRUE(read.IsError());
            EXPECT_EQ(read.Error().offset, length);
            EXPECT_EQ(consumed, 99u);
        }
    }
}

TEST(FontStream, RejectsAnUnknownVersionAtOffsetZero) {
    for (uint8_t version : {0x00, 0x02, 0xFF}) {
        SCOPED_TRACE(int{version});
        auto bytes = kArialBlack;
        bytes[0] = version;
        size_t consumed = 0;
        const auto read = ReadFontStream(bytes, consumed);
        ASSERT_TRUE(read.IsError());
        EXPECT_EQ(read.Error().offset, 0u);
    }
}

TEST(FontStream, NameLengthPastTheEndIsAnError) {
    auto bytes = kArialBlack;
    bytes[10] = 12;
    size_t consumed = 0;
    EXPECT_TRUE(ReadFontStream(bytes, consumed).IsError());
}

TEST(FontStream, ReadingRefusesSizeZeroAtTheSizeField) {
    auto bytes = kArialBlack;
    std::fill(bytes.begin() + 6, bytes.begin() + 10, 0);
    // With the name cut short as well, the size is still the first fault.
    for (const size_t length : {bytes.size(), size_t{15}}) {
        size_t consumed = 99;
        const auto read = ReadFontStream(std::span(bytes).first(length), consumed);
        ASSERT_TRUE(read.IsError());
        EXPECT_EQ(read.Error().offset, 6u);
        EXPECT_EQ(consumed, 99u);
    }
}

TEST(FontStream, WritingRefusesSizesItCannotHoldAndNamesItWouldCut) {
    FontDesc font = ArialBlack();
    for (const int64_t sizeCy :
         {int64_t{0}, int64_t{-1}, kMaxFontSizeCy + 1, int64_t{50'000'000'000'000}}) {
        font.sizeCy = sizeCy;
        EXPECT_THROW(WriteFontStream(font), std::invalid_argument) << sizeCy;
    }
    font = ArialBlack();
    // 256 bytes, and a name whose last character would be cut after its first byte.
    for (const std::string& name :
         {std::string(256, 'n'), std::string(253, 'n') + "\xE2\x82\xAC"}) {
        font.name = name;
        EXPECT_THROW(WriteFontStream(font), std::invalid_argument) << name.size();
    }
}

TEST(FontStream, ClassIdIsTheStandardFontObjects) {
    const std::array<uint8_t, 16> expected = {0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                                              0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
    EXPECT_EQ(kStdFontClassId, expected);
}

}  // namespace
}  // namespace platform
