#include <gtest/gtest.h>

#include "platform/image/image.h"
#include "tests/platform/image/file_builder.h"

namespace platform {
namespace {

using testing::BmpFile;
using testing::Bytes;
using testing::Dib;
using testing::DibLayout;
using testing::Opaque;

constexpr uint32_t kRgb = 0, kBitfields = 3;
constexpr uint16_t kPad = 0xFFFF;  // row padding, which must not matter

// A 16-bit bitmap whose stored rows are the given little-endian words, padding included.
std::vector<uint8_t> Bmp16(int32_t width, int32_t storedHeight, uint32_t compression,
                           uint32_t headerSize, std::vector<uint32_t> masks,
                           std::initializer_list<uint16_t> words) {
    DibLayout layout = Dib(width, storedHeight, 16);
    layout.compression = compression;
    layout.headerSize = headerSize;
    layout.masks = std::move(masks);
    Bytes pixels;
    for (uint16_t word : words)
        pixels.U16(word);
    layout.pixels = pixels.data;
    return BmpFile(layout);
}

TEST(DecodeBmp16, PixelsThroughTheirMasks) {
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        std::vector<uint32_t> want;  // top row first
    };
    // 0x2211 under 5-5-5 is red 8, green 16, blue 17 of 31: 65.8, 131.6, 139.8 of 255.
    const Case cases[] = {
        {"BI_RGB is 5-5-5 with the top bit unused",
         Bmp16(3, 1, kRgb, 40, {}, {0x2211, 0x7FFF, 0x8000, kPad}),
         {Opaque(0x8C8442), Opaque(0xFFFFFF), Opaque(0)}},
        {"5-6-5 masks after a 40-byte header",
         Bmp16(2, 1, kBitfields, 40, {0xF800, 0x07E0, 0x001F}, {0x2211, 0xF800}),
         {Opaque(0x8C4121), Opaque(0x0000FF)}},
        {"5-5-5 masks in a 52-byte header",
         Bmp16(1, 1, kBitfields, 52, {0x7C00, 0x03E0, 0x001F}, {0xA211, kPad}),
         {Opaque(0x8C8442)}},
        {"4-4-4-4 with alpha in a V4 header",
         Bmp16(1, 1, kBitfields, 108, {0x0F00, 0x00F0, 0x000F, 0xF000}, {0x8A5F, kPad}),
         {0x88FF55AA}},
        {"V5 header, empty alpha mask",
         Bmp16(1, 1, kBitfields, 124, {0xF800, 0x07E0, 0x001F, 0}, {0x07E0, kPad}),
         {Opaque(0x00FF00)}},
        // Green 3 of 1023 is 0.75 of 255: rounded, not cut to its top 8 bits.
        {"1-bit and 10-bit fields",
         Bmp16(1, 1, kBitfields, 40, {0x8000, 0x7FE0, 0x001F}, {0x8060, kPad}),
         {Opaque(0x0001FF)}},
        {"bottom-up rows",
         Bmp16(3, 2, kRgb, 40, {}, {0x001F, 0, 0, kPad, 0x7C00, 0x03E0, 0x7FFF, kPad}),
         {Opaque(0x0000FF), Opaque(0x00FF00), Opaque(0xFFFFFF), Opaque(0xFF0000), Opaque(0),
          Opaque(0)}},
        {"top-down rows",
         Bmp16(3, -2, kRgb, 40, {}, {0x001F, 0, 0, kPad, 0x7C00, 0x03E0, 0x7FFF, kPad}),
         {Opaque(0xFF0000), Opaque(0), Opaque(0), Opaque(0x0000FF), Opaque(0x00FF00),
          Opaque(0xFFFFFF)}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeBmp(c.file).Value().pixels, c.want) << c.name;
    }
}

TEST(DecodeBmp16, RejectsMalformedFiles) {
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    const Case cases[] = {
        {"mask past the 16-bit word", Bmp16(1, 1, kBitfields, 40, {0x1F0000, 0x3E0, 0x1F}, {0, 0})},
        {"alpha mask past the word",
         Bmp16(1, 1, kBitfields, 124, {0xF800, 0x7E0, 0x1F, 0x10000}, {0, 0})},
        {"mask not one run of bits", Bmp16(1, 1, kBitfields, 40, {0xF801, 0x7E0, 0x1E}, {0, 0})},
        {"rows one word short", Bmp16(1, 2, kRgb, 40, {}, {0, 0, 0})},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(DecodeBmp(c.file).IsError()) << c.name;
    }
}

}  // namespace
}  // namespace platform
