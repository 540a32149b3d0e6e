#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "platform/image/image.h"
#include "tests/platform/image/file_builder.h"

namespace platform {
namespace {

using testing::BmpFile;
using testing::Dib;
using testing::DibLayout;
using testing::Opaque;

constexpr uint32_t kRle8 = 1, kRle4 = 2;

// Palette entry i of the test bitmaps' 16-colour table.
constexpr uint32_t TableColor(uint32_t i) {
    return 0x00203040 + 0x00050301 * i;
}

std::vector<uint8_t> RleFile(uint32_t compression, uint16_t bitCount, int32_t width,
                             int32_t storedHeight, std::vector<uint8_t> runs) {
    DibLayout layout = Dib(width, storedHeight, bitCount);
    layout.compression = compression;
    layout.colorsUsed = 16;
    for (uint32_t i = 0; i < 16; ++i)
        layout.palette.push_back(TableColor(i));
    layout.pixels = std::move(runs);
    return BmpFile(layout);
}
std::vector<uint8_t> Rle8(int32_t width, int32_t height, std::vector<uint8_t> runs) {
    return RleFile(kRle8, 8, width, height, std::move(runs));
}
std::vector<uint8_t> Rle4(int32_t width, int32_t height, std::vector<uint8_t> runs) {
    return RleFile(kRle4, 4, width, height, std::move(runs));
}

// The pixels of a picture: rows top first, split by '/'; a hex digit is that palette entry,
// 'k' opaque black, '.' a transparent pixel no run wrote.
std::vector<uint32_t> Pixels(std::string_view picture) {
    std::vector<uint32_t> pixels;
    for (char c : picture) {
        if (c == '.') {
            pixels.push_back(0);
        } else if (c == 'k') {
            pixels.push_back(Opaque(0));
        } else if (c != '/') {
            pixels.push_back(Opaque(TableColor(c <= '9' ? c - '0' : c - 'A' + 10)));
        }
    }
    return pixels;
}

TEST(DecodeBmpRle, RunsMakeTheseImages) {
    struct Case {
        const char* name;
        uint32_t compression;
        std::vector<uint8_t> runs;
        const char* picture;
    };
    const Case cases[] = {
        {"RLE8 encoded runs, end of line, end of bitmap",
         kRle8,
         {4, 1, 0, 0, 2, 2, 2, 3, 0, 1},
         "2233/1111"},
        {"RLE8 absolute runs, the odd one padded",
         kRle8,
         {0, 3, 5, 6, 7, 0, 0, 4, 8, 9, 10, 11, 1, 12, 0, 1},
         "56789ABC"},
        {"RLE8 delta skips pixels", kRle8, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}, "..../...2/1..."},
        {"RLE8 end of line leaves the rest of the row", kRle8, {1, 4, 0, 0, 3, 5, 0, 1}, "555/4.."},
        {"RLE8 early end of bitmap", kRle8, {2, 1, 0, 1}, ".../11."},
        {"RLE8 no end marker after the top row's end of line",
         kRle8,
         {2, 7, 0, 0, 2, 8, 0, 0},
         "88/77"},
        {"RLE8 no end marker after a delta past the top row", kRle8, {1, 3, 0, 2, 0, 2}, "../3."},
        {"RLE8 index past the colour table", kRle8, {2, 0x20, 0, 1}, "kk"},
        {"RLE4 encoded runs alternate nibbles", kRle4, {5, 0x12, 0, 1}, "12121"},
        {"RLE4 odd absolute counts, one padded",
         kRle4,
         {0, 3, 0x34, 0x50, 0, 5, 0x67, 0x89, 0xA0, 0, 0, 1},
         "3456789A"},
        {"RLE4 delta and end of bitmap", kRle4, {2, 0xCD, 0, 2, 1, 1, 1, 0xE0, 0, 1}, "...E/CD.."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string_view picture = c.picture;
        const auto width = static_cast<int32_t>(std::min(picture.find('/'), picture.size()));
        const std::vector<uint32_t> want = Pixels(picture);
        const auto height = static_cast<int32_t>(want.size()) / width;
        const uint16_t bits = c.compression == kRle8 ? 8 : 4;
        Image image = DecodeBmp(RleFile(c.compression, bits, width, height, c.runs)).Value();
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.pixels, want);
    }
}

// Each fault is reported at its place in the file: the run at fault, the first missing byte
// of data that ends early, or the header field. The runs start at byte 118.
TEST(DecodeBmpRle, RejectsRunsOutsideTheImageAndEarlyEnds) {
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        size_t offset;
    };
    const Case cases[] = {
        {"RLE8 run past the row end", Rle8(2, 1, {3, 1, 0, 1}), 118},
        {"RLE4 run past the row end", Rle4(2, 1, {3, 0x11, 0, 1}), 118},
        {"absolute run past the row end", Rle8(2, 1, {0, 3, 1, 2, 3, 0, 0, 1}), 118},
        {"RLE8 absolute run past the data", Rle8(4, 1, {0, 4, 1, 2}), 122},
        {"RLE4 absolute run past the data", Rle4(4, 1, {0, 4, 0x12}), 121},
        {"delta past the right edge", Rle8(2, 2, {0, 2, 3, 0, 0, 1}), 118},
        {"delta past the top row", Rle8(2, 2, {0, 2, 0, 3, 0, 1}), 118},
        {"delta cut short", Rle8(2, 2, {0, 2, 1}), 121},
        {"end of line past the top row", Rle8(1, 1, {1, 1, 0, 0, 0, 0, 0, 1}), 122},
        {"run above the top row", Rle8(1, 1, {1, 1, 0, 0, 1, 1, 0, 1}), 122},
        {"data ends before the end of bitmap", Rle8(2, 2, {2, 1, 0, 0}), 122},
        {"data ends inside a pair", Rle8(2, 1, {2, 1, 0}), 121},
        {"no runs", Rle8(1, 1, {}), 118},
        {"top-down RLE8", Rle8(1, -1, {1, 1, 0, 1}), 22},
        {"top-down RLE4", Rle4(1, -1, {1, 0x11, 0, 1}), 22},
        {"RLE8 at 4 bits", RleFile(kRle8, 4, 1, 1, {1, 1, 0, 1}), 30},
        {"RLE4 at 8 bits", RleFile(kRle4, 8, 1, 1, {1, 1, 0, 1}), 30},
    };
    for (const Case& c : cases) {
        const Result<Image> decoded = DecodeBmp(c.file);
        if (!decoded.IsError()) {
            ADD_FAILURE() << c.name << " decoded";
            continue;
        }
        const ReadError& error = decoded.Error();
        EXPECT_EQ(error.offset, c.offset) << c.name << ": " << error.message;
    }
}

TEST(DecodeBmpRle, ClaimsAtMost4096PixelsPerByteOfRuns) {
    Image image = DecodeBmp(Rle8(128, 64, {0, 1})).Value();
    EXPECT_TRUE(std::all_of(image.pixels.begin(), image.pixels.end(),
                            [](uint32_t pixel) { return pixel == 0; }));
    EXPECT_TRUE(DecodeBmp(Rle8(129, 64, {0, 1})).IsError());
    EXPECT_TRUE(DecodeBmp(Rle8(16384, 16384, {0, 1})).IsError());
}

TEST(DecodeBmpRle, EveryTruncationFails) {
    std::vector<uint8_t> file = Rle4(4, 2, {0, 3, 0x12, 0x30, 0, 2, 0, 1, 1, 0xE0, 0, 1});
    ASSERT_EQ(DecodeBmp(file).Value().pixels, Pixels("...E/123."));
    for (size_t size = 0; size < file.size(); ++size) {
        EXPECT_TRUE(DecodeBmp(std::span(file).first(size)).IsError()) << size;
    }
}

}  // namespace
}  // namespace platform
