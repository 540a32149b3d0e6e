#include <gtest/gtest.h>

#include <climits>

#include "platform/image/image.h"
#include "tests/platform/image/file_builder.h"

namespace platform {
namespace {

using testing::BmpFile;
using testing::Dib;
using testing::DibLayout;
using testing::Opaque;

// A palette of easily told apart colours (0x00BBGGRR), up to 256 entries.
std::vector<uint32_t> TestPalette(size_t count) {
    std::vector<uint32_t> palette;
    for (size_t i = 0; i < count; ++i)
        palette.push_back(0x010101 * i ^ 0x00A05020 ^ i << 16);
    return palette;
}

// The colour a depth-agnostic test image has at (x, y) as a palette index or a direct colour.
uint32_t IndexAt(int32_t x, int32_t y, int bits) {
    return (x * 3 + y * 5 + 1) % (1 << bits);
}
uint32_t ColorAt(int32_t x, int32_t y) {
    return 0x102030 + 0x010203 * (x * 7 + y * 11);
}

// Stored rows for a width x height test image: bottom-up unless topDown. Unused bits of the
// last byte and the padding bytes are 1s, which the decoder must ignore.
std::vector<uint8_t> StoredRows(int32_t width, int32_t height, int bits, bool topDown) {
    size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    std::vector<uint8_t> rows;
    for (int32_t r = 0; r < height; ++r) {
        int32_t y = topDown ? r : height - 1 - r;
        std::vector<uint8_t> row(stride, 0xFF);
        if (bits <= 8) {
            std::fill(row.begin(), row.begin() + (width * bits + 7) / 8, 0);
            // keep the bits after the last pixel set
            int usedBits = width * bits;
            if (usedBits % 8) row[usedBits / 8] = static_cast<uint8_t>(0xFF >> usedBits % 8);
        }
        for (int32_t x = 0; x < width; ++x) {
            if (bits <= 8) {
                int pos = x * bits;
                row[pos / 8] |= static_cast<uint8_t>(IndexAt(x, y, bits) << (8 - bits - pos % 8));
            } else {
                uint32_t c = ColorAt(x, y);
                row[x * bits / 8] = static_cast<uint8_t>(c >> 16);
                row[x * bits / 8 + 1] = static_cast<uint8_t>(c >> 8);
                row[x * bits / 8 + 2] = static_cast<uint8_t>(c);
                if (bits == 32) row[x * 4 + 3] = 0;
            }
        }
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

TEST(DecodeBmp, EveryDepthWidthAndRowOrderHasNoSkew) {
    for (int bits : {1, 4, 8, 24, 32}) {
        for (int32_t width : {1, 2, 3, 5}) {
            for (bool topDown : {false, true}) {
                SCOPED_TRACE(::testing::Message() << bits << " bits, width " << width
                                                  << (topDown ? " top-down" : " bottom-up"));
                const int32_t height = 3;
                DibLayout layout =
                    Dib(width, topDown ? -height : height, static_cast<uint16_t>(bits));
                if (bits <= 8) layout.palette = TestPalette(size_t{1} << bits);
                layout.pixels = StoredRows(width, height, bits, topDown);
                Image image = DecodeBmp(BmpFile(layout)).Value();
                ASSERT_EQ(image.width, width);
                ASSERT_EQ(image.height, height);
                for (int32_t y = 0; y < height; ++y) {
                    for (int32_t x = 0; x < width; ++x) {
                        uint32_t want =
                            bits <= 8 ? layout.palette[IndexAt(x, y, bits)] : ColorAt(x, y);
                        EXPECT_EQ(image.pixels[y * width + x], Opaque(want)) << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(DecodeBmp, OneBitRowsReadMostSignificantBitFirst) {
    // 3 x 2, bottom-up: the first stored row is the bottom one.
    DibLayout layout = Dib(3, 2, 1);
    layout.palette = {0x112233, 0x445566};
    layout.pixels = {0xA0, 0, 0, 0, 0x60, 0, 0, 0};
    Image image = DecodeBmp(BmpFile(layout)).Value();
    const uint32_t a = Opaque(0x112233), b = Opaque(0x445566);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{a, b, b, b, a, b}));
}

TEST(DecodeBmp, ColorsUsedSizesTheTableAndIndicesPastItAreBlack) {
    DibLayout layout = Dib(4, 1, 8);
    layout.colorsUsed = 3;
    layout.palette = {0x0000FF, 0x00FF00, 0xFF0000};
    layout.pixels = {2, 0, 1, 5};
    Image image = DecodeBmp(BmpFile(layout)).Value();
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{Opaque(0xFF0000), Opaque(0x0000FF),
                                                   Opaque(0x00FF00), Opaque(0)}));

    DibLayout four = Dib(3, 1, 4);
    four.colorsUsed = 4;
    four.palette = {0x000001, 0x000002, 0x000003, 0x000004};
    four.pixels = {0x12, 0x30, 0, 0};
    EXPECT_EQ(DecodeBmp(BmpFile(four)).Value().pixels,
              (std::vector<uint32_t>{Opaque(2), Opaque(3), Opaque(4)}));
}

TEST(DecodeBmp, ThirtyTwoBitAlpha) {
    // BI_RGB: the fourth byte is alpha, unless it is 0 everywhere.
    DibLayout layout = Dib(2, 1, 32);
    layout.pixels = {0x30, 0x20, 0x10, 0x80, 0x03, 0x02, 0x01, 0x00};
    EXPECT_EQ(DecodeBmp(BmpFile(layout)).Value().pixels,
              (std::vector<uint32_t>{0x80302010, 0x00030201}));
    layout.pixels = {0x30, 0x20, 0x10, 0x00, 0x03, 0x02, 0x01, 0x00};
    EXPECT_EQ(DecodeBmp(BmpFile(layout)).Value().pixels,
              (std::vector<uint32_t>{Opaque(0x302010), Opaque(0x030201)}));
}

TEST(DecodeBmp, Bitfields) {
    const std::vector<uint8_t> pixel = {0x11, 0x22, 0x33, 0x44};  // the value 0x44332211
    struct Case {
        const char* name;
        uint32_t headerSize;
        std::vector<uint32_t> masks;
        uint32_t want;
    };
    const Case cases[] = {
        {"masks after a 40-byte header, no alpha", 40, {0xFF0000, 0xFF00, 0xFF}, Opaque(0x112233)},
        {"V3 header with alpha", 56, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x44112233},
        {"V4 header, swapped channels", 108, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 0x44332211},
        {"V5 header, empty alpha mask", 124, {0xFF, 0xFF00, 0xFF0000, 0}, Opaque(0x332211)},
        // Fields scale to the nearest of 0..255: 0x2211 has red 8, green 16, blue 17 (of 31),
        // 65.8, 131.6 and 139.8 of 255.
        {"5-5-5 masks", 124, {0x7C00, 0x03E0, 0x001F, 0}, Opaque(0x8C8442)},
        // 10-bit fields: red 67, green 200, blue 529 (of 1023) are 16.7, 49.9 and 131.9.
        {"10-10-10 masks", 124, {0x3FF00000, 0xFFC00, 0x3FF, 0}, Opaque(0x843211)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DibLayout layout = Dib(1, 1, 32);
        layout.compression = 3;
        layout.headerSize = c.headerSize;
        layout.masks = c.masks;
        layout.pixels = pixel;
        EXPECT_EQ(DecodeBmp(BmpFile(layout)).Value().pixels, std::vector<uint32_t>{c.want});
    }
}

TEST(DecodeBmp, LongerHeadersReadLikeTheShortOne) {
    for (uint32_t headerSize : {52u, 56u, 108u, 124u}) {
        DibLayout layout = Dib(1, -2, 24);
        layout.headerSize = headerSize;
        layout.pixels = {1, 2, 3, 0, 4, 5, 6, 0};
        EXPECT_EQ(DecodeBmp(BmpFile(layout)).Value().pixels,
                  (std::vector<uint32_t>{Opaque(0x010203), Opaque(0x040506)}))
            << headerSize;
    }
}

TEST(DecodeBmp, RejectsMalformedAndUnsupportedFiles) {
    DibLayout valid = Dib(1, 1, 24);
    valid.pixels = {1, 2, 3, 0};
    ASSERT_FALSE(DecodeBmp(BmpFile(valid)).IsError());
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    auto with = [&](auto change) {
        DibLayout layout = valid;
        change(layout);
        return BmpFile(layout);
    };
    auto patched = [&](size_t offset, std::initializer_list<uint8_t> bytes) {
        std::vector<uint8_t> file = BmpFile(valid);
        std::copy(bytes.begin(), bytes.end(), file.begin() + offset);
        return file;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"not BM", patched(0, {'B', 'A'})},
        {"core header", with([](DibLayout& s) { s.headerSize = 12; })},
        {"header size 64", with([](DibLayout& s) { s.headerSize = 64; })},
        {"2 bits", with([](DibLayout& s) { s.bitCount = 2; })},
        {"compression 4", with([](DibLayout& s) { s.compression = 4; })},
        {"bitfields at 8 bits", with([](DibLayout& s) {
             s.bitCount = 8;
             s.compression = 3;
             s.masks = {0xE0, 0x1C, 0x03};
         })},
        {"bitfields at 24 bits", with([](DibLayout& s) {
             s.compression = 3;
             s.masks = {0xFF, 0xFF00, 0xFF0000};
         })},
        {"non-contiguous mask", with([](DibLayout& s) {
             s.bitCount = 32;
             s.compression = 3;
             s.masks = {0xF0F, 0xF000, 0xFF0000};
         })},
        {"width 0", with([](DibLayout& s) { s.width = 0; })},
        {"negative width", with([](DibLayout& s) { s.width = -1; })},
        {"height 0", with([](DibLayout& s) { s.storedHeight = 0; })},
        {"height INT32_MIN", with([](DibLayout& s) { s.storedHeight = INT32_MIN; })},
        {"width 16385", with([](DibLayout& s) { s.width = 16385; })},
        {"height -16385", with([](DibLayout& s) { s.storedHeight = -16385; })},
        {"16384 square claimed by a tiny file",
         with([](DibLayout& s) { s.width = s.storedHeight = 16384; })},
        {"257 colours", with([](DibLayout& s) { s.colorsUsed = 257; })},
        {"pixel offset inside the header", patched(10, {20, 0, 0, 0})},
        {"pixel offset past the end", patched(10, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"pixels one byte short", with([](DibLayout& s) { s.pixels.pop_back(); })},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(DecodeBmp(c.file).IsError()) << c.name;
    }
}

TEST(DecodeBmp, EveryTruncationFails) {
    DibLayout layout = Dib(5, 3, 8);
    layout.colorsUsed = 7;
    layout.palette = TestPalette(7);
    layout.pixels = StoredRows(5, 3, 8, false);
    std::vector<uint8_t> file = BmpFile(layout);
    ASSERT_FALSE(DecodeBmp(file).IsError());
    for (size_t size = 0; size < file.size(); ++size) {
        EXPECT_TRUE(DecodeBmp(std::span(file).first(size)).IsError()) << size;
    }
}

}  // namespace
}  // namespace platform
