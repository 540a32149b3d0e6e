#include "tools/key_bags/key_bags.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "calculator/key_layout.h"
#include "forms/stored_bag.h"

namespace keybags {
namespace {

std::vector<uint8_t> StoredFile() {
    std::ifstream in("resources/main-keys.bin", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<forms::StoredBagReadResult> Blocks(const std::vector<uint8_t>& file) {
    std::vector<forms::StoredBagReadResult> blocks;
    for (size_t start = 0; start < file.size();) {
        blocks.push_back(forms::ReadStoredBag(std::span(file).subspan(start)));
        if (blocks.back().error || blocks.back().blockSize == 0) break;
        start += blocks.back().blockSize;
    }
    return blocks;
}

TEST(KeyBags, RegeneratingGivesTheCommittedBytes) {
    const std::vector<uint8_t> stored = StoredFile();
    ASSERT_FALSE(stored.empty()) << "resources/main-keys.bin is missing";
    EXPECT_TRUE(MakeKeyBags() == stored)
        << "resources/main-keys.bin is stale: run build/tools/make-key-bags "
           "resources/main-keys.bin";
}

TEST(KeyBags, HoldTheTwentyFiveKeysInLayoutOrder) {
    const std::vector<uint8_t> file = StoredFile();
    const auto blocks = Blocks(file);
    ASSERT_EQ(blocks.size(), calculator::kKeyLayouts.size());
    const std::vector<std::string> keys = {
        "_extentx", "_extenty", "btype", "tx",    "enab", "font",  "coltype", "focusr",
        "bcol",     "bcolo",    "fcol",  "fcolo", "mcol", "mptr",  "micon",   "umcol",
        "soft",     "picpos",   "ngrey", "fx",    "hand", "check", "value"};
    for (size_t i = 0; i < blocks.size(); ++i) {
        const auto& read = blocks[i];
        const calculator::KeyLayout& layout = calculator::kKeyLayouts[i];
        ASSERT_FALSE(read.error) << read.error->Describe();
        std::vector<std::string> names;
        for (const auto& e : read.layout)
            names.push_back(e.key);
        EXPECT_EQ(names, keys) << layout.caption;
        const forms::PropertyBag& bag = read.bag;
        EXPECT_EQ(std::get<std::string>(*bag.Find("TX")), layout.caption);
        EXPECT_EQ(std::get<int32_t>(*bag.Find("_extentx")), layout.width * 127 / 72);
        EXPECT_EQ(std::get<int32_t>(*bag.Find("_extenty")), 873);
        EXPECT_EQ(std::get<int32_t>(*bag.Find("BTYPE")), 14);
        EXPECT_EQ(std::get<int32_t>(*bag.Find("COLTYPE")), layout.colorScheme);
        EXPECT_EQ(static_cast<uint32_t>(std::get<int32_t>(*bag.Find("BCOL"))), layout.backColor);
        EXPECT_EQ(static_cast<uint32_t>(std::get<int32_t>(*bag.Find("BCOLO"))), layout.backColor);
        EXPECT_EQ(static_cast<uint32_t>(std::get<int32_t>(*bag.Find("FCOL"))), layout.foreColor);
        EXPECT_EQ(static_cast<uint32_t>(std::get<int32_t>(*bag.Find("FCOLO"))), layout.foreColor);
        EXPECT_EQ(std::get<int32_t>(*bag.Find("MCOL")), 0x00C0C0C0);
        EXPECT_EQ(std::get<int16_t>(*bag.Find("MPTR")), 99);
        EXPECT_EQ(std::get<int32_t>(*bag.Find("FX")), 1);
        EXPECT_TRUE(std::get<bool>(*bag.Find("HAND")));
        EXPECT_FALSE(std::get<bool>(*bag.Find("FOCUSR")));
        const auto& font = std::get<platform::FontDesc>(*bag.Find("FONT"));
        EXPECT_EQ(font.name, "Arial Black");
        EXPECT_EQ(font.sizeCy, 90000);
        EXPECT_EQ(font.weight, 900);
        const auto& icon = std::get<forms::PicturePtr>(*bag.Find("MICON"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->Type(), platform::PictureType::Icon);
        EXPECT_EQ(icon->Width(), 32);
        EXPECT_EQ(icon->Height(), 32);
    }
}

TEST(KeyBags, CaptionEntrySizesAndByteForByteRoundTrips) {
    const std::vector<uint8_t> file = StoredFile();
    size_t start = 0;
    for (const auto& read : Blocks(file)) {
        const std::string caption = std::get<std::string>(*read.bag.Find("TX"));
        for (const auto& e : read.layout) {
            if (e.key != "tx") continue;
            EXPECT_EQ(e.hash, 0x000E8078u);
            if (caption == "=") {
                EXPECT_EQ(e.size, 24);
            } else if (caption == "Clear") {
                EXPECT_EQ(e.size, 32);
            }
        }
        const std::vector<uint8_t> block(
            file.begin() + static_cast<ptrdiff_t>(start),
            file.begin() + static_cast<ptrdiff_t>(start + read.blockSize));
        EXPECT_EQ(forms::WriteStoredBag(read.bag), block) << caption;
        start += read.blockSize;
    }
    EXPECT_EQ(start, file.size());
}

}  // namespace
}  // namespace keybags
