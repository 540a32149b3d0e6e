#include <gtest/gtest.h>

#include "platform/image/image.h"
#include "tests/platform/image/file_builder.h"

namespace platform {
namespace {

using testing::Bytes;
using testing::Dib;
using testing::DibBytes;
using testing::DibLayout;
using testing::IconEntryLayout;
using testing::IconFile;
using testing::Opaque;

constexpr uint32_t kWhite = 0xFFFFFF;

// Packs top-down colour rows into a bottom-up XOR bitmap of the given depth, looking colours
// up in the palette below 24 bits, followed by the bottom-up AND mask.
std::vector<uint8_t> IconBits(const std::vector<std::vector<uint32_t>>& colors,
                              const std::vector<std::vector<int>>& andMask,
                              const std::vector<uint32_t>& palette, int bits) {
    const size_t width = colors[0].size();
    const size_t stride = (width * bits + 31) / 32 * 4;
    std::vector<uint8_t> out;
    for (size_t r = colors.size(); r-- > 0;) {
        std::vector<uint8_t> row(stride, 0);
        for (size_t x = 0; x < width; ++x) {
            uint32_t c = colors[r][x];
            if (bits <= 8) {
                size_t index = std::find(palette.begin(), palette.end(), c) - palette.begin();
                row[x * bits / 8] |= static_cast<uint8_t>(index << (8 - bits - x * bits % 8));
            } else {
                row[x * bits / 8] = static_cast<uint8_t>(c >> 16);
                row[x * bits / 8 + 1] = static_cast<uint8_t>(c >> 8);
                row[x * bits / 8 + 2] = static_cast<uint8_t>(c);
                if (bits == 32) row[x * 4 + 3] = static_cast<uint8_t>(c >> 24);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (size_t r = andMask.size(); r-- > 0;) {
        std::vector<uint8_t> row(4, 0);
        for (size_t x = 0; x < andMask[r].size(); ++x) {
            if (andMask[r][x]) row[x / 8] |= static_cast<uint8_t>(0x80 >> x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// A DIB icon entry: biHeight twice the image height, the palette, XOR and AND bitmaps.
IconEntryLayout DibEntry(const std::vector<std::vector<uint32_t>>& colors,
                         const std::vector<std::vector<int>>& andMask,
                         const std::vector<uint32_t>& palette, int bits) {
    const auto width = static_cast<int32_t>(colors[0].size());
    const auto height = static_cast<int32_t>(colors.size());
    DibLayout layout = Dib(width, 2 * height, static_cast<uint16_t>(bits));
    layout.palette = palette;
    layout.pixels = IconBits(colors, andMask, palette, bits);
    IconEntryLayout entry;
    entry.width = static_cast<uint8_t>(width);
    entry.height = static_cast<uint8_t>(height);
    entry.bitCountOrHotSpotY = static_cast<uint16_t>(bits);
    entry.data = DibBytes(layout);
    return entry;
}

TEST(DecodeIconFile, EveryDepthWithItsAndMask) {
    // Top row: colour, black under AND 1 (transparent), white under AND 1 (transparent, the
    // white in the invert plane). Bottom row: two colours, then black under AND 1.
    const std::vector<std::vector<int>> andMask = {{0, 1, 1}, {0, 0, 1}};
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        const uint32_t a = bits == 1 ? kWhite : 0x3366CC;
        const uint32_t b = bits == 1 ? 0 : 0x22AA11;
        std::vector<uint32_t> palette;
        if (bits <= 8) {
            palette = bits == 1 ? std::vector<uint32_t>{0, kWhite}
                                : std::vector<uint32_t>{0, kWhite, a, b};
            palette.resize(size_t{1} << bits, 0x123456);
        }
        // At 32 bits alpha 0 everywhere: an image from before alpha, read through its mask.
        auto file = IconFile(1, {DibEntry({{a, 0, kWhite}, {b, a, 0}}, andMask, palette, bits)});
        std::vector<IconImage> icons = DecodeIconFile(file).Value();
        ASSERT_EQ(icons.size(), 1u);
        EXPECT_EQ(icons[0].bitCount, bits);
        EXPECT_EQ(icons[0].image.width, 3);
        EXPECT_EQ(icons[0].image.height, 2);  // biHeight 4 holds the image and its mask
        EXPECT_EQ(icons[0].image.pixels,
                  (std::vector<uint32_t>{Opaque(a), 0, 0, Opaque(b), Opaque(a), 0}));
        EXPECT_EQ(icons[0].image.invert, (std::vector<uint32_t>{0, 0, kWhite, 0, 0, 0}));
        EXPECT_EQ(icons[0].hotSpotX, 0);
        EXPECT_EQ(icons[0].hotSpotY, 0);
    }
}

TEST(DecodeIconFile, ThirtyTwoBitAlphaOverridesTheAndMask) {
    auto entry = DibEntry({{0x80112233, 0x00445566, 0xFF778899}}, {{1, 1, 0}}, {}, 32);
    const Image image = DecodeIconFile(IconFile(1, {entry})).Value()[0].image;
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x80112233, 0x00445566, 0xFF778899}));
    // A transparent pixel with a colour under AND 1 does not invert.
    EXPECT_TRUE(image.invert.empty());
}

TEST(DecodeIconFile, InvertingPixelsKeepTheirColour) {
    const uint32_t grey = 0x808080;
    auto entry = DibEntry({{0x3366CC, grey}, {0x3366CC, 0}}, {{1, 1}, {0, 0}}, {}, 24);
    const Image image = DecodeIconFile(IconFile(1, {entry})).Value()[0].image;
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0, 0, Opaque(0x3366CC), Opaque(0)}));
    EXPECT_EQ(image.invert, (std::vector<uint32_t>{0x3366CC, grey, 0, 0}));
}

TEST(DecodeIconFile, CursorHotSpotComesFromPlanesAndBitCount) {
    auto entry = DibEntry({{kWhite, 0}, {0, kWhite}}, {{0, 0}, {0, 0}}, {0, kWhite}, 1);
    entry.planesOrHotSpotX = 1;
    entry.bitCountOrHotSpotY = 0;
    auto second = entry;
    second.planesOrHotSpotX = 5;
    second.bitCountOrHotSpotY = 7;
    std::vector<IconImage> cursors = DecodeIconFile(IconFile(2, {entry, second})).Value();
    ASSERT_EQ(cursors.size(), 2u);
    EXPECT_EQ(cursors[0].hotSpotX, 1);
    EXPECT_EQ(cursors[0].hotSpotY, 0);
    EXPECT_EQ(cursors[1].hotSpotX, 5);
    EXPECT_EQ(cursors[1].hotSpotY, 7);
    EXPECT_EQ(cursors[1].bitCount, 1);  // from the bitmap, not the directory
    // The same fields of an icon are planes and bit count.
    std::vector<IconImage> icons = DecodeIconFile(IconFile(1, {second})).Value();
    EXPECT_EQ(icons[0].hotSpotX, 0);
    EXPECT_EQ(icons[0].hotSpotY, 0);
}

Image Pattern(int32_t width, int32_t height) {
    Image image{width, height, {}};
    for (int32_t i = 0; i < width * height; ++i) {
        image.pixels.push_back(static_cast<uint32_t>(i * 2654435761u) | (i % 3 ? 0xFF000000 : 0));
    }
    return image;
}

TEST(DecodeIconFile, PngEntriesAreFoundByTheirSignature) {
    const Image big = Pattern(256, 256);
    const Image small = Pattern(2, 3);
    IconEntryLayout bigEntry{.width = 0,
                             .height = 0,
                             .colorCount = 0,
                             .planesOrHotSpotX = 1,
                             .bitCountOrHotSpotY = 32,
                             .data = EncodePng(big).Value()};
    IconEntryLayout smallEntry{.width = 2,
                               .height = 3,
                               .colorCount = 0,
                               .planesOrHotSpotX = 1,
                               .bitCountOrHotSpotY = 32,
                               .data = EncodePng(small).Value()};
    std::vector<IconImage> icons = DecodeIconFile(IconFile(1, {bigEntry, smallEntry})).Value();
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].image, big);
    EXPECT_EQ(icons[0].bitCount, 32);
    EXPECT_EQ(icons[1].image, small);
}

// The 32 x 32 monochrome cursor with hot spot (5, 0), byte for byte: an arrow-like wedge of
// white edged in black, transparent elsewhere.
std::vector<uint8_t> MonochromeCursorFile() {
    Bytes b;
    b.Append({0x00, 0x00, 0x02, 0x00, 0x01, 0x00});
    b.Append({0x20, 0x20, 0x02, 0x00, 0x05, 0x00, 0x00, 0x00, 0x30, 0x01, 0x00, 0x00, 0x16, 0x00,
              0x00, 0x00});
    b.U32(40).U32(32).U32(64).U16(1).U16(1).U32(0).U32(256).U32(0).U32(0).U32(0).U32(0);
    b.Append({0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00});
    for (int plane = 0; plane < 2; ++plane) {
        for (int row = 31; row >= 0; --row) {
            uint32_t bits = 0;
            for (int x = 0; x < 32; ++x) {
                bool inside = x <= row / 2 && row < 24;
                bool white = inside && x > 0 && x < row / 2;
                bool bit = plane == 0 ? white : !inside;
                if (bit) bits |= 0x80000000u >> x;
            }
            b.U8(bits >> 24).U8(bits >> 16).U8(bits >> 8).U8(bits);
        }
    }
    return b.data;
}

TEST(DecodeIconFile, MonochromeCursorLayout) {
    std::vector<uint8_t> file = MonochromeCursorFile();
    ASSERT_EQ(file.size(), 326u);
    std::vector<IconImage> cursors = DecodeIconFile(file).Value();
    ASSERT_EQ(cursors.size(), 1u);
    const IconImage& cursor = cursors[0];
    EXPECT_EQ(cursor.image.width, 32);
    EXPECT_EQ(cursor.image.height, 32);
    EXPECT_EQ(cursor.hotSpotX, 5);
    EXPECT_EQ(cursor.hotSpotY, 0);
    EXPECT_EQ(cursor.bitCount, 1);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            bool inside = x <= y / 2 && y < 24;
            bool white = inside && x > 0 && x < y / 2;
            uint32_t want = !inside ? 0 : white ? Opaque(kWhite) : Opaque(0);
            ASSERT_EQ(cursor.image.pixels[y * 32 + x], want) << x << "," << y;
        }
    }
    // The writer produces the same bytes from the decoded cursor.
    EXPECT_EQ(EncodeIconFile(cursors, true).Value(), file);
}

TEST(DecodeIconFile, RejectsMalformedFiles) {
    const auto entry = DibEntry({{0x112233, 0}}, {{0, 1}}, {}, 24);
    const std::vector<uint8_t> valid = IconFile(1, {entry});
    ASSERT_FALSE(DecodeIconFile(valid).IsError());
    auto patched = [&](size_t offset, std::initializer_list<uint8_t> bytes) {
        std::vector<uint8_t> file = valid;
        std::copy(bytes.begin(), bytes.end(), file.begin() + offset);
        return file;
    };
    auto withEntry = [&](auto change) {
        IconEntryLayout e = entry;
        change(e);
        return IconFile(1, {e});
    };
    const size_t dib = 6 + 16;
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"reserved not 0", patched(0, {1})},
        {"type 0", patched(2, {0})},
        {"type 3", patched(2, {3})},
        {"no images", patched(4, {0})},
        {"directory past the end", patched(4, {2})},
        {"data offset past the end", patched(6 + 12, {0xFF, 0xFF, 0, 0})},
        {"data size past the end", patched(6 + 8, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"odd bitmap height", patched(dib + 8, {3})},
        {"bitmap height not doubled", patched(dib + 8, {1})},
        {"negative bitmap height", patched(dib + 8, {0xFE, 0xFF, 0xFF, 0xFF})},
        {"16-bit bitmap", patched(dib + 14, {16})},
        {"no AND mask", withEntry([](IconEntryLayout& e) { e.data.resize(e.data.size() - 4); })},
        {"broken PNG entry", withEntry([](IconEntryLayout& e) {
             e.data = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H'};
         })},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(DecodeIconFile(c.file).IsError()) << c.name;
    }
}

TEST(DecodeIconFile, EveryEntryAndInvertPlaneSpendsOneBudget) {
    // 4 x 4 entries: a DIB whose every pixel inverts (16 pixels, 16 in its plane) and a PNG.
    const std::vector<std::vector<int>> allSet(4, std::vector<int>(4, 1));
    const IconEntryLayout inverting =
        DibEntry(std::vector(4, std::vector(4, kWhite)), allSet, {0, kWhite}, 1);
    IconEntryLayout png = inverting;
    png.data = EncodePng(Pattern(4, 4)).Value();
    // Three directory entries, all pointing at the first one's data.
    auto sharing = [](const IconEntryLayout& entry) {
        std::vector<uint8_t> file = IconFile(1, {entry, entry, entry});
        for (size_t i = 1; i < 3; ++i)
            std::copy_n(file.begin() + 18, 4, file.begin() + 18 + 16 * i);
        return file;
    };
    for (const auto& [entry, values] : {std::pair{inverting, 32}, std::pair{png, 16}}) {
        EXPECT_EQ(DecodeIconFile(sharing(entry), 3 * values).Value().size(), 3u) << values;
        EXPECT_TRUE(DecodeIconFile(sharing(entry), 3 * values - 1).IsError()) << values;
    }
    const std::vector<uint8_t> one = IconFile(1, {inverting});
    EXPECT_EQ(DecodeIconFileImage(one, 4, 4, 32).Value().image.invert.size(), 16u);
    EXPECT_TRUE(DecodeIconFileImage(one, 4, 4, 31).IsError());
    EXPECT_TRUE(DecodeIconFileImageAtLeast(one, 4, 31).IsError());
}

TEST(DecodeIconFile, EveryTruncationFails) {
    std::vector<uint32_t> palette = {0, 3, 4, 5, 6, 0x112233};
    palette.resize(256);
    auto dibEntry = DibEntry({{0x112233, 0, 3}, {4, 5, 6}}, {{0, 1, 0}, {1, 0, 0}}, palette, 8);
    IconEntryLayout pngEntry{.width = 3,
                             .height = 2,
                             .colorCount = 0,
                             .planesOrHotSpotX = 1,
                             .bitCountOrHotSpotY = 32,
                             .data = EncodePng(Pattern(3, 2)).Value()};
    std::vector<uint8_t> file = IconFile(1, {dibEntry, pngEntry});
    ASSERT_EQ(DecodeIconFile(file).Value().size(), 2u);
    for (size_t size = 0; size < file.size(); ++size) {
        EXPECT_TRUE(DecodeIconFile(std::span(file).first(size)).IsError()) << size;
    }
}

}  // namespace
}  // namespace platform
