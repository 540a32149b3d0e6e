#include "forms/stored_bag.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/image/image.h"
#include "platform/objects/font_stream.h"
#include "platform/objects/picture_stream.h"

namespace forms {
namespace {

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

PropertyBag KeyLikeBag(const std::string& caption) {
    PropertyBag bag;
    bag.Write("_ExtentX", int32_t{873});
    bag.Write("_ExtentY", int32_t{873});
    bag.Write("BTYPE", int32_t{14});
    bag.Write("TX", caption);
    bag.Write("ENAB", true);
    platform::FontDesc font;
    font.name = "Arial Black";
    font.sizeCy = 90000;
    font.weight = 900;
    bag.Write("FONT", font);
    bag.Write("MPTR", int16_t{99});
    bag.Write("SOFT", false);
    return bag;
}

PicturePtr TinyPicture() {
    platform::Image image{2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF}};
    return platform::LoadPicture(platform::EncodeBmp24(image).Value()).Value();
}

TEST(StoredNameHash, RotatesAndXorsEachUnit) {
    EXPECT_EQ(StoredNameHash(u"tx"), 0x000E8078u);
    EXPECT_EQ(StoredNameHash(u"fx"), 0x000CC078u);
    EXPECT_EQ(StoredNameHash(u""), 0u);
}

TEST(StoredBag, LayoutOfHeaderAndEntries) {
    PropertyBag bag;
    bag.Write("TX", std::string("="));
    bag.Write("ENAB", true);
    const std::vector<uint8_t> block = WriteStoredBag(bag);

    const std::vector<uint8_t> header(block.begin(), block.begin() + 5);
    EXPECT_EQ(header, (std::vector<uint8_t>{0x2D, 0x4C, 0x42, 0x09, 0x00}));
    EXPECT_EQ(U32At(block, 5), block.size() - 9);
    EXPECT_EQ(U32At(block, 9), 0x0000B293u);
    EXPECT_EQ(U32At(block, 13), block.size() - 9);

    // "tx": type 8, two name units, its hash, size 12 + 4 + 4 + 2 = 22 rounded to 24.
    EXPECT_EQ(block[17], 8);
    EXPECT_EQ(block[19], 2);
    EXPECT_EQ(U32At(block, 21), 0x000E8078u);
    EXPECT_EQ(U32At(block, 25), 24u);
    EXPECT_EQ(std::memcmp(&block[29], "t\0x\0", 4), 0);
    EXPECT_EQ(U32At(block, 33), 1u);
    EXPECT_EQ(block[37], '=');
    EXPECT_EQ(block[38], 0);
    EXPECT_EQ(block[39], 0);  // fill
    EXPECT_EQ(block[40], 0);

    // "enab", the last entry: size is minus its offset from the first entry (24).
    EXPECT_EQ(block[41], 11);
    EXPECT_EQ(static_cast<int32_t>(U32At(block, 49)), -24);
    EXPECT_EQ(block[61], 0xFF);
    EXPECT_EQ(block[62], 0xFF);
    EXPECT_EQ(block.size(), 17u + 24 + 24);
}

TEST(StoredBag, StringEntrySizeRoundsUp) {
    PropertyBag bag;
    bag.Write("TX", std::string("Clear"));
    bag.Write("FX", int32_t{1});
    const std::vector<uint8_t> block = WriteStoredBag(bag);
    EXPECT_EQ(U32At(block, 25), 32u);  // 12 + 4 + 4 + 10 = 30, rounded up
}

TEST(StoredBag, ReadThenWriteReproducesTheBytes) {
    PropertyBag bag = KeyLikeBag("Clear");
    bag.Write("PICN", TinyPicture());
    bag.Write("TX2", std::string("Zürich €"));
    const std::vector<uint8_t> block = WriteStoredBag(bag);

    const StoredBagReadResult read = ReadStoredBag(block);
    ASSERT_FALSE(read.error) << read.error->Describe();
    EXPECT_EQ(read.blockSize, block.size());
    EXPECT_EQ(WriteStoredBag(read.bag), block);

    EXPECT_EQ(std::get<int32_t>(*read.bag.Find("btype")), 14);
    EXPECT_EQ(std::get<std::string>(*read.bag.Find("Tx")), "Clear");
    EXPECT_EQ(std::get<std::string>(*read.bag.Find("TX2")), "Zürich €");
    EXPECT_EQ(std::get<platform::FontDesc>(*read.bag.Find("FONT")).name, "Arial Black");
    EXPECT_EQ(std::get<int16_t>(*read.bag.Find("MPTR")), 99);
    EXPECT_FALSE(std::get<bool>(*read.bag.Find("SOFT")));
    EXPECT_EQ(std::get<PicturePtr>(*read.bag.Find("PICN"))->Width(), 2);
    EXPECT_EQ(read.bag.Entries().front().key, "_extentx");
}

TEST(StoredBag, NullPictureLeavesNoEntry) {
    PropertyBag bag;
    bag.Write("PICN", PicturePtr{});
    bag.Write("FX", int32_t{3});
    const StoredBagReadResult read = ReadStoredBag(WriteStoredBag(bag));
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.bag.Find("PICN"), nullptr);
    EXPECT_EQ(read.bag.Entries().size(), 1u);
}

TEST(StoredBag, EmptyBagIsJustTheHeader) {
    const std::vector<uint8_t> block = WriteStoredBag(PropertyBag{});
    EXPECT_EQ(block.size(), 17u);
    const StoredBagReadResult read = ReadStoredBag(block);
    EXPECT_FALSE(read.error);
    EXPECT_TRUE(read.bag.IsEmpty());
}

TEST(StoredBag, BlocksBackToBackAreSelfDelimiting) {
    std::vector<uint8_t> file = WriteStoredBag(KeyLikeBag("1"));
    const size_t firstSize = file.size();
    const std::vector<uint8_t> second = WriteStoredBag(KeyLikeBag("2"));
    file.insert(file.end(), second.begin(), second.end());
    const StoredBagReadResult one = ReadStoredBag(file);
    ASSERT_FALSE(one.error);
    EXPECT_EQ(one.blockSize, firstSize);
    const StoredBagReadResult two = ReadStoredBag(std::span(file).subspan(one.blockSize));
    ASSERT_FALSE(two.error);
    EXPECT_EQ(std::get<std::string>(*two.bag.Find("TX")), "2");
}

TEST(StoredBag, EveryTruncationFailsWithoutReadingPastTheEnd) {
    PropertyBag bag = KeyLikeBag("Clear");
    bag.Write("PICN", TinyPicture());
    const std::vector<uint8_t> block = WriteStoredBag(bag);
    for (size_t n = 0; n < block.size(); ++n) {
        // A copy of exactly n bytes, so that AddressSanitizer sees any read past it.
        const std::vector<uint8_t> cut(block.begin(), block.begin() + static_cast<ptrdiff_t>(n));
        const StoredBagReadResult read = ReadStoredBag(cut);
        ASSERT_TRUE(read.error) << "length " << n;
    }
}

struct Corruption {
    const char* name;
    size_t offset;   // byte of the block to overwrite
    uint32_t value;  // written little-endian over 4 bytes (or 2 when `wide` is false)
    bool wide;
    const char* key;  // the key the error names
};

TEST(StoredBag, MalformedEntriesNameTheKeyAndOffsetAndKeepWhatCameBefore) {
    PropertyBag bag;
    bag.Write("BTYPE", int32_t{14});          // entry at 17, 12 + 10 + 4 rounded to 28 bytes
    bag.Write("TX", std::string("="));        // entry at 45, 24 bytes
    bag.Write("FONT", platform::FontDesc{});  // entry at 69
    bag.Write("FX", int32_t{1});
    const std::vector<uint8_t> good = WriteStoredBag(bag);
    const Corruption cases[] = {
        {"size outside the block", 45 + 8, 4000, true, "tx"},
        {"size not a multiple of four", 45 + 8, 22, true, "tx"},
        {"size smaller than the name", 45 + 8, 4, true, "tx"},
        {"unknown value type", 45, 77, false, "tx"},
        {"string count past the entry", 45 + 16, 1000, true, "tx"},
        {"hash mismatch", 45 + 4, 0x1234, true, "tx"},
        {"unknown object class", 69 + 20, 0xDEADBEEF, true, "font"},
    };
    for (const Corruption& c : cases) {
        std::vector<uint8_t> block = good;
        for (size_t k = 0; k < (c.wide ? 4u : 2u); ++k) {
            block[c.offset + k] = static_cast<uint8_t>(c.value >> (8 * k));
        }
        const StoredBagReadResult read = ReadStoredBag(block);
        ASSERT_TRUE(read.error) << c.name;
        EXPECT_EQ(read.error->key, c.key) << c.name;
        EXPECT_GE(read.error->offset, c.offset < 69 ? 45u : 69u) << c.name;
        EXPECT_LT(read.error->offset, block.size()) << c.name;
        EXPECT_NE(read.bag.Find("BTYPE"), nullptr) << c.name;
        EXPECT_EQ(read.bag.Find("FX"), nullptr) << c.name;
    }
}

// Hand-made blocks, to store what the writer never would: each entry is its type, name, size
// field and value bytes (fill added), the block the header and the entries.
struct RawEntry {
    uint16_t type;
    std::u16string name;
    int32_t size;
    std::vector<uint8_t> value;
};

std::vector<uint8_t> RawBlock(const std::vector<RawEntry>& entries) {
    std::vector<uint8_t> out = {0x2D, 0x4C, 0x42, 0x09, 0, 0, 0, 0, 0,
                                0x93, 0xB2, 0,    0,    0, 0, 0, 0};
    const auto put = [&out](uint32_t v, int bytes) {
        for (int k = 0; k < bytes; ++k)
            out.push_back(static_cast<uint8_t>(v >> (8 * k)));
    };
    for (const RawEntry& e : entries) {
        const size_t start = out.size();
        put(e.type, 2);
        put(static_cast<uint32_t>(e.name.size()), 2);
        put(StoredNameHash(e.name), 4);
        put(static_cast<uint32_t>(e.size), 4);
        for (const char16_t c : e.name)
            put(c, 2);
        out.insert(out.end(), e.value.begin(), e.value.end());
        out.resize(start + ((out.size() - start + 3) & ~size_t{3}), 0);
    }
    const auto length = static_cast<uint32_t>(out.size() - 9);
    for (size_t k = 0; k < 4; ++k)
        out[5 + k] = out[13 + k] = static_cast<uint8_t>(length >> (8 * k));
    return out;
}

TEST(StoredBag, HostileBlocksAreMalformedAtTheKeyAndOffset) {
    const std::vector<uint8_t> one = {1, 0, 0, 0};         // int32 1
    const std::vector<uint8_t> eq = {1, 0, 0, 0, '=', 0};  // the string "="
    std::vector<uint8_t> emptyString(8, 0);                // count 0, then 4 bytes left over
    std::vector<uint8_t> font(platform::kStdFontClassId.begin(), platform::kStdFontClassId.end());
    const std::vector<uint8_t> fontStream = {1, 0, 0, 0, 0x90, 1, 0x90, 0x5F, 1, 0, 0};
    font.insert(font.end(), fontStream.begin(), fontStream.end());
    std::vector<uint8_t> fontWithRest = font;
    fontWithRest.resize(font.size() + 12, 0);
    std::vector<uint8_t> noPicture(platform::kStdPictureClassId.begin(),
                                   platform::kStdPictureClassId.end());
    noPicture.insert(noPicture.end(), {0x6C, 0x74, 0, 0, 0, 0, 0, 0});
    std::vector<uint8_t> noPictureWithRest = noPicture;
    noPictureWithRest.resize(noPicture.size() + 766, 0);
    // A bitmap cut 4 bytes short of its pixels, counted as it is: its first missing byte is
    // the end of the stream.
    std::vector<uint8_t> bitmap = platform::EncodeBmp24({2, 2, std::vector<uint32_t>(4)}).Value();
    bitmap.resize(bitmap.size() - 4);
    std::vector<uint8_t> cutPicture = noPicture;
    cutPicture[16 + 4] = static_cast<uint8_t>(bitmap.size());
    cutPicture.insert(cutPicture.end(), bitmap.begin(), bitmap.end());
    const auto cutSize = static_cast<int32_t>((12 + 8 + cutPicture.size() + 3) & ~size_t{3});
    const struct {
        const char* what;
        std::vector<RawEntry> entries;
        const char* key;
        size_t offset;
    } cases[] = {
        {"a key stored twice",
         {{3, u"fx", 20, one}, {8, u"tx", 24, eq}, {3, u"FX", -44, one}},
         "FX",
         17 + 44},
        {"an end marker before the end", {{3, u"fx", 0, one}, {8, u"tx", -20, eq}}, "fx", 17 + 8},
        {"no end marker", {{3, u"fx", 20, one}, {8, u"tx", 24, eq}}, "tx", 17 + 20 + 8},
        {"a string count short of its entry",
         {{8, u"tx", 28, emptyString}, {3, u"fx", -28, one}},
         "tx",
         17 + 8},
        {"a font name shorter than its entry",
         {{9, u"font", 60, fontWithRest}, {3, u"fx", -60, one}},
         "font",
         17 + 8},
        {"a picture count short of its entry",
         {{9, u"picn", 812, noPictureWithRest}, {3, u"fx", -812, one}},
         "picn",
         17 + 8},
        {"a picture whose pixels end early",
         {{9, u"picn", cutSize, cutPicture}, {3, u"fx", -cutSize, one}},
         "picn",
         17 + 12 + 8 + cutPicture.size()},
    };
    for (const auto& c : cases) {
        const StoredBagReadResult read = ReadStoredBag(RawBlock(c.entries));
        ASSERT_TRUE(read.error) << c.what;
        EXPECT_EQ(read.error->key, c.key) << c.what;
        EXPECT_EQ(read.error->offset, c.offset) << c.what << ": " << read.error->Describe();
        EXPECT_EQ(read.layout.size(), read.bag.Entries().size()) << c.what;
        const std::string text = read.error->Describe();  // one place, stated once
        EXPECT_EQ(text.find(" at byte "), text.rfind(" at byte ")) << text;
    }
    // The same entries with the sizes the writer gives read well.
    EXPECT_FALSE(ReadStoredBag(RawBlock({{9, u"font", 48, font}, {3, u"fx", -48, one}})).error);
    EXPECT_FALSE(
        ReadStoredBag(RawBlock({{9, u"picn", 44, noPicture}, {3, u"fx", -44, one}})).error);
}

// ASCII case alone makes no other key, other bytes do ("É", "é", "[", "{"): 3,004 round-trip.
TEST(StoredBag, AManyKeyBagRoundTripsByteForByte) {
    PropertyBag bag;
    for (int32_t i = 0; i < 3000; ++i)
        bag.Write(std::string(i % 2 ? "Key" : "kEY") + std::to_string(i), i);
    for (const char* key : {"KEY7", "\xC3\x89", "\xC3\xA9", "[", "{"})
        bag.Write(key, int32_t{-1});
    const std::vector<uint8_t> block = WriteStoredBag(bag);
    const StoredBagReadResult read = ReadStoredBag(block);
    ASSERT_EQ(read.layout.size(), 3004u);
    EXPECT_EQ(read.layout[7].key, "key7");
    EXPECT_EQ(std::get<int32_t>(*read.bag.Find("kEy7")), -1);
    EXPECT_EQ(WriteStoredBag(read.bag), block);
}

TEST(StoredBag, HeaderProblems) {
    std::vector<uint8_t> block = WriteStoredBag(KeyLikeBag("1"));
    std::vector<uint8_t> lengthTooLong = block;
    lengthTooLong[5] = 0xFF;
    lengthTooLong[13] = 0xFF;
    EXPECT_EQ(ReadStoredBag(lengthTooLong).error->offset, 5u);
    std::vector<uint8_t> lengthsDiffer = block;
    lengthsDiffer[13] ^= 1;
    EXPECT_EQ(ReadStoredBag(lengthsDiffer).error->offset, 13u);
    std::vector<uint8_t> notABag = block;
    notABag[0] = 'X';
    EXPECT_EQ(ReadStoredBag(notABag).error->offset, 0u);
}

}  // namespace
}  // namespace forms
