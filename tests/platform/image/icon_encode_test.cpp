#include <gtest/gtest.h>

#include "platform/image/image.h"

namespace platform {
namespace {

uint32_t U16At(const std::vector<uint8_t>& b, size_t i) {
    return b[i] | b[i + 1] << 8;
}
uint32_t U32At(const std::vector<uint8_t>& b, size_t i) {
    return U16At(b, i) | U16At(b, i + 2) << 16;
}

IconImage Icon(int32_t width, int32_t height, std::vector<uint32_t> pixels, int32_t bitCount) {
    IconImage icon;
    icon.image = Image{width, height, std::move(pixels)};
    icon.bitCount = bitCount;
    return icon;
}

IconImage RoundTrip(const IconImage& icon) {
    std::vector<IconImage> back =
        DecodeIconFile(EncodeIconFile(std::span(&icon, 1), false).Value()).Value();
    EXPECT_EQ(back.size(), 1u);
    return back.at(0);
}

TEST(EncodeIconFile, EachDepthRoundTripsWhatItCanHold) {
    struct Case {
        const char* name;
        int32_t bitCount;
        std::vector<uint32_t> pixels;  // a 5 x 1 image
        std::vector<uint32_t> want;
        int32_t storedBits;
    };
    const Case cases[] = {
        {"32 bits keep alpha; alpha 0 reads back as 0",
         32,
         {0xFF123456, 0x80654321, 0x01ABCDEF, 0x00FFFFFF, 0x00000000},
         {0xFF123456, 0x80654321, 0x01ABCDEF, 0x00000000, 0x00000000},
         32},
        {"0 means 32 bits", 0, {0x7F010203, 0, 0, 0, 0}, {0x7F010203, 0, 0, 0, 0}, 32},
        {"24 bits: alpha under 128 is transparent, the rest opaque",
         24,
         {0xFF123456, 0x80654321, 0x7FABCDEF, 0xFF000000, 0x00FFFFFF},
         {0xFF123456, 0xFF654321, 0x00000000, 0xFF000000, 0x00000000},
         24},
        {"8 bits are written as 24", 8, {0xFF123456, 0, 0, 0, 0}, {0xFF123456, 0, 0, 0, 0}, 24},
        {"4 bits: nearest of the 16 classic colours",
         4,
         {0xFF7F0101, 0xFFC8D0D4, 0xFF00FFFF, 0xFF808080, 0x10FFFFFF},
         {0xFF800000, 0xFFC0C0C0, 0xFF00FFFF, 0xFF808080, 0x00000000},
         4},
        {"1 bit: black or white, whichever is nearer",
         1,
         {0xFF808080, 0xFF7F7F7F, 0xFF0000FF, 0xFFFFFFFF, 0x7F000000},
         {0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0x00000000},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IconImage back = RoundTrip(Icon(5, 1, c.pixels, c.bitCount));
        EXPECT_EQ(back.image.width, 5);
        EXPECT_EQ(back.image.height, 1);
        EXPECT_EQ(back.image.pixels, c.want);
        EXPECT_EQ(back.bitCount, c.storedBits);
    }
}

TEST(EncodeIconFile, InvertingPixelsBelowThirtyTwoBitsKeepTheirNearestColour) {
    struct Case {
        int32_t bitCount;
        std::vector<uint32_t> want;  // the invert plane read back
    };
    const Case cases[] = {
        {24, {0xFFFFFF, 0x3366CC, 0x505050}},
        {4, {0xFFFFFF, 0x008080, 0x808080}},
        {1, {0xFFFFFF, 0, 0}},  // nearest black: transparent
        {32, {}},               // the alpha there stands for the mask
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        IconImage icon = Icon(3, 1, {0, 0, 0}, c.bitCount);
        icon.image.invert = {0xFFFFFF, 0x3366CC, 0x505050};
        const IconImage back = RoundTrip(icon);
        EXPECT_EQ(back.image.pixels, (std::vector<uint32_t>{0, 0, 0}));
        EXPECT_EQ(back.image.invert, c.want);
    }
}

TEST(EncodeIconFile, DirectoryFieldsOfIconsAndCursors) {
    std::vector<IconImage> images = {Icon(32, 32, std::vector<uint32_t>(32 * 32, 0xFF000000), 4),
                                     Icon(3, 2, std::vector<uint32_t>(6, 0xFFFFFFFF), 1)};
    std::vector<uint8_t> icon = EncodeIconFile(images, false).Value();
    EXPECT_EQ(U16At(icon, 0), 0u);
    EXPECT_EQ(U16At(icon, 2), 1u);
    EXPECT_EQ(U16At(icon, 4), 2u);
    // Entry 0: 32 x 32, 16 colours, planes 1, 4 bits; 40 + 64 + 32 x 16 + 32 x 4 bytes at 38.
    EXPECT_EQ(std::vector<uint8_t>(icon.begin() + 6, icon.begin() + 10),
              (std::vector<uint8_t>{32, 32, 16, 0}));
    EXPECT_EQ(U16At(icon, 10), 1u);
    EXPECT_EQ(U16At(icon, 12), 4u);
    EXPECT_EQ(U32At(icon, 14), 40u + 64 + 512 + 128);
    EXPECT_EQ(U32At(icon, 18), 38u);
    // Entry 1: 3 x 2, 2 colours, 1 bit; rows of both bitmaps padded to 4 bytes.
    EXPECT_EQ(std::vector<uint8_t>(icon.begin() + 22, icon.begin() + 26),
              (std::vector<uint8_t>{3, 2, 2, 0}));
    EXPECT_EQ(U16At(icon, 28), 1u);
    EXPECT_EQ(U32At(icon, 30), 40u + 8 + 8 + 8);
    EXPECT_EQ(U32At(icon, 34), 38u + 744);
    EXPECT_EQ(icon.size(), 38u + 744 + 64);
    // The bitmap header: biHeight doubled, the image size of both bitmaps.
    EXPECT_EQ(U32At(icon, 38 + 8), 64u);
    EXPECT_EQ(U32At(icon, 38 + 20), 512u + 128);

    images[0].hotSpotX = 31;
    images[0].hotSpotY = 2;
    images[1].hotSpotX = 1;
    std::vector<uint8_t> cursor = EncodeIconFile(images, true).Value();
    EXPECT_EQ(U16At(cursor, 2), 2u);
    EXPECT_EQ(U16At(cursor, 10), 31u);
    EXPECT_EQ(U16At(cursor, 12), 2u);
    EXPECT_EQ(U16At(cursor, 26), 1u);
    EXPECT_EQ(U16At(cursor, 28), 0u);
    std::vector<IconImage> back = DecodeIconFile(cursor).Value();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], images[0]);
    EXPECT_EQ(back[1], images[1]);
}

TEST(EncodeIconFile, ImagesOf256PixelsBecomePngEntries) {
    for (auto [width, height] : {std::pair{256, 256}, std::pair{256, 16}, std::pair{16, 256}}) {
        IconImage big = Icon(width, height, {}, 24);
        for (int32_t i = 0; i < width * height; ++i) {
            big.image.pixels.push_back(static_cast<uint32_t>(i) * 0x9E3779B9u);
        }
        std::vector<uint8_t> file = EncodeIconFile(std::span(&big, 1), false).Value();
        EXPECT_EQ(file[6], width % 256);
        EXPECT_EQ(file[7], height % 256);
        EXPECT_EQ(U16At(file, 12), 32u);
        std::span<const uint8_t> data = std::span(file).subspan(U32At(file, 18), U32At(file, 14));
        EXPECT_EQ(SniffImageFormat(data), ImageFormat::Png);
        std::vector<IconImage> back = DecodeIconFile(file).Value();
        EXPECT_EQ(back.at(0).image, big.image);
        EXPECT_EQ(back.at(0).bitCount, 32);
    }
}

TEST(EncodeIconFile, RejectsWhatAnIconCannotHold) {
    auto encode = [](IconImage icon, bool cursor) {
        return EncodeIconFile(std::span(&icon, 1), cursor);
    };
    EXPECT_TRUE(EncodeIconFile({}, false).IsError());
    EXPECT_TRUE(encode(Icon(0, 0, {}, 32), false).IsError());
    EXPECT_TRUE(encode(Icon(257, 1, std::vector<uint32_t>(257), 32), false).IsError());
    EXPECT_TRUE(encode(Icon(2, 2, {0, 0, 0}, 32), false).IsError());
    EXPECT_TRUE(encode(Icon(1, 1, {0}, 16), false).IsError());
    IconImage offCursor = Icon(2, 2, {0, 0, 0, 0}, 32);
    offCursor.hotSpotX = 2;
    EXPECT_TRUE(encode(offCursor, true).IsError());
    EXPECT_FALSE(encode(offCursor, false).IsError());  // an icon has no hot spot
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST(DecodeIconFileImage, DecodesOnlyTheImageOfTheSizeAskedFor) {
    std::vector<IconImage> images;
    for (const int32_t side : {16, 48, 256}) {
        IconImage icon =
            Icon(side, side, std::vector<uint32_t>(side * side, 0xFF000000u + side), 32);
        images.push_back(std::move(icon));
    }
    std::vector<uint8_t> file = EncodeIconFile(images, false).Value();

    EXPECT_EQ(DecodeIconFileImage(file, 48, 48).Value().image, images[1].image);
    // 256 is stored as 0 in the directory's width byte; its entry is a PNG.
    EXPECT_EQ(DecodeIconFileImage(file, 256, 256).Value().image, images[2].image);
    // No image of that size: the first one.
    EXPECT_EQ(DecodeIconFileImage(file, 32, 32).Value().image, images[0].image);
    EXPECT_EQ(DecodeIconFileImage(file, 48, 16).Value().image, images[0].image);

    // Only the chosen entry is read: spoiling the 256 entry's bytes leaves the others readable.
    const size_t bigEntry = 6 + 2 * 16;
    const size_t bigOffset = U32At(file, bigEntry + 12);
    file[bigOffset] ^= 0xFF;  // no PNG signature any more
    EXPECT_EQ(DecodeIconFileImage(file, 48, 48).Value().image, images[1].image);
    EXPECT_TRUE(DecodeIconFileImage(file, 256, 256).IsError());
    EXPECT_TRUE(DecodeIconFile(file).IsError());
}

TEST(DecodeIconFileImage, AtLeastTakesTheSmallestSquareLargeEnoughElseTheLargest) {
    std::vector<IconImage> images;
    for (const auto& [width, height] :
         {std::pair{48, 48}, {16, 16}, {64, 32}, {256, 256}, {32, 32}}) {
        images.push_back(
            Icon(width, height, std::vector<uint32_t>(width * height, 0xFF000000u + width), 32));
    }
    const std::vector<uint8_t> file = EncodeIconFile(images, false).Value();
    const std::pair<int32_t, size_t> cases[] = {{16, 1}, {17, 4}, {48, 0},
                                                {49, 3}, {96, 3}, {300, 3}};
    for (const auto& [side, chosen] : cases)
        EXPECT_EQ(DecodeIconFileImageAtLeast(file, side).Value().image, images[chosen].image)
            << side;
    // No square image: the first.
    const std::vector<uint8_t> wide = EncodeIconFile({&images[2], 1}, false).Value();
    EXPECT_EQ(DecodeIconFileImageAtLeast(wide, 48).Value().image, images[2].image);
}

// A small file whose directory names one 256 x 256 image 1100 times: one image to show, but
// more than 64 Mi pixels to decode them all.
TEST(DecodeIconFileImage, ManyEntriesOfOneImageCostOneDecode) {
    const IconImage big = Icon(256, 256, std::vector<uint32_t>(256 * 256, 0xFF0000FFu), 32);
    std::vector<uint8_t> file = EncodeIconFile({&big, 1}, false).Value();
    const std::vector<uint8_t> entry(file.begin() + 6, file.begin() + 22);
    constexpr size_t kCount = 1100;
    file[4] = kCount & 0xFF;
    file[5] = kCount >> 8;
    for (size_t i = 1; i < kCount; ++i)
        file.insert(file.begin() + 6 + 16 * static_cast<ptrdiff_t>(i), entry.begin(), entry.end());
    const uint32_t dataAt = 6 + 16 * kCount;
    for (size_t i = 0; i < kCount; ++i)
        for (size_t k = 0; k < 4; ++k)
            file[6 + 16 * i + 12 + k] = static_cast<uint8_t>(dataAt >> (8 * k));

    EXPECT_EQ(DecodeIconFileImage(file, 32, 32).Value().image, big.image);
    EXPECT_TRUE(DecodeIconFile(file).IsError());
    EXPECT_TRUE(DecodeIconFileImage(file, 256, 256, 256 * 255).IsError());
}

TEST(DecodeIconFileImage, RejectsWhatIsNoIconFile) {
    const std::vector<uint8_t> notIcon = {1, 0, 1, 0, 1, 0};
    EXPECT_TRUE(DecodeIconFileImage(notIcon, 16, 16).IsError());
    const std::vector<uint8_t> empty = {0, 0, 1, 0, 0, 0};
    EXPECT_TRUE(DecodeIconFileImage(empty, 16, 16).IsError());
}

}  // namespace
}  // namespace platform
