#include "tools/key_bags/key_bags.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>

#include "calculator/keypad.h"
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

// The value stored under `key` when the bag holds it as a T; null when it is missing or of
// another type.
template <typename T>
const T* Entry(const forms::PropertyBag& bag, std::string_view key) {
    const forms::PropertyValue* value = bag.Find(key);
    return value ? std::get_if<T>(value) : nullptr;
}

// Whether the bag holds `want` under `key`: present, of want's type, then equal, in that order.
template <typename T>
::testing::AssertionResult Holds(const forms::PropertyBag& bag, std::string_view key,
                                 const T& want) {
    if (!bag.Find(key)) return ::testing::AssertionFailure() << key << " is missing";
    const T* value = Entry<T>(bag, key);
    if (!value) return ::testing::AssertionFailure() << key << " holds another type";
    if (!(*value == want)) {
        return ::testing::AssertionFailure() << key << " is " << ::testing::PrintToString(*value)
                                             << ", not " << ::testing::PrintToString(want);
    }
    return ::testing::AssertionSuccess();
}

TEST(KeyBags, RegeneratingGivesTheCommittedBytes) {
    const std::vector<uint8_t> stored = StoredFile();
    ASSERT_FALSE(stored.empty()) << "resources/main-keys.bin is missing";
    EXPECT_TRUE(MakeKeyBags() == stored)
        << "resources/main-keys.bin is stale: run build/tools/make-key-bags "
           "resources/main-keys.bin";
}

TEST(KeyBags, HoldEveryKeyOfTheTableInItsOrder) {
    const std::vector<uint8_t> file = StoredFile();
    const auto blocks = Blocks(file);
    ASSERT_EQ(blocks.size(), calculator::kKeypad.size());
    const std::vector<std::string> keys = {
        "_extentx", "_extenty", "btype", "tx",    "enab", "font",  "coltype", "focusr",
        "bcol",     "bcolo",    "fcol",  "fcolo", "mcol", "mptr",  "micon",   "umcol",
        "soft",     "picpos",   "ngrey", "fx",    "hand", "check", "value"};
    for (size_t i = 0; i < blocks.size(); ++i) {
        const auto& read = blocks[i];
        const calculator::KeypadKey& row = calculator::kKeypad[i];
        ASSERT_FALSE(read.error) << read.error->Describe();
        std::vector<std::string> names;
        for (const auto& e : read.layout)
            names.push_back(e.key);
        EXPECT_EQ(names, keys) << row.caption;
        const forms::PropertyBag& bag = read.bag;
        EXPECT_TRUE(Holds(bag, "TX", std::string(row.caption)));
        EXPECT_TRUE(Holds(bag, "_extentx", int32_t{row.bounds.width * 127 / 72}));
        EXPECT_TRUE(Holds(bag, "_extenty", int32_t{873}));
        EXPECT_TRUE(Holds(bag, "BTYPE", int32_t{14}));
        EXPECT_TRUE(Holds(bag, "COLTYPE", int32_t{row.colours.scheme}));
        EXPECT_TRUE(Holds(bag, "BCOL", static_cast<int32_t>(row.colours.back)));
        EXPECT_TRUE(Holds(bag, "BCOLO", static_cast<int32_t>(row.colours.back)));
        EXPECT_TRUE(Holds(bag, "FCOL", static_cast<int32_t>(row.colours.fore)));
        EXPECT_TRUE(Holds(bag, "FCOLO", static_cast<int32_t>(row.colours.fore)));
        EXPECT_TRUE(Holds(bag, "MCOL", int32_t{0x00C0C0C0}));
        EXPECT_TRUE(Holds(bag, "MPTR", int16_t{99}));
        EXPECT_TRUE(Holds(bag, "FX", int32_t{1}));
        EXPECT_TRUE(Holds(bag, "HAND", true));
        EXPECT_TRUE(Holds(bag, "FOCUSR", false));
        const auto* font = Entry<platform::FontDesc>(bag, "FONT");
        ASSERT_NE(font, nullptr) << "FONT is missing or not a font";
        EXPECT_EQ(font->name, "Arial Black");
        EXPECT_EQ(font->sizeCy, 90000);
        EXPECT_EQ(font->weight, 900);
        const auto* stored = Entry<forms::PicturePtr>(bag, "MICON");
        ASSERT_NE(stored, nullptr) << "MICON is missing or not a picture";
        const forms::PicturePtr& icon = *stored;
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
        const auto* stored = Entry<std::string>(read.bag, "TX");
        ASSERT_NE(stored, nullptr) << "TX is missing or not a string";
        const std::string caption = *stored;
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
