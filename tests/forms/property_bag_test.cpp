#include "forms/property_bag.h"

#include <gtest/gtest.h>

#include "forms/utf16.h"

namespace forms {
namespace {

TEST(PropertyBag, KeysMatchWithoutCaseAndKeepTheirFirstPlace) {
    PropertyBag bag;
    bag.Write("BTYPE", int32_t{2});
    bag.Write("TX", std::string("a"));
    bag.Write("btype", int32_t{14});
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.Entries()[0].key, "BTYPE");
    EXPECT_EQ(std::get<int32_t>(*bag.Find("BType")), 14);
    EXPECT_EQ(bag.Find("TXX"), nullptr);
    EXPECT_EQ(bag.Find("T"), nullptr);
}

TEST(Utf16, RoundTripsAndReplacesMalformedSequences) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("a€𝄞")), "a€𝄞");
    EXPECT_EQ(Utf8ToUtf16("𝄞"), (std::u16string{0xD834, 0xDD1E}));
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), (std::u16string{0xFFFD, 0xFFFD}));  // overlong
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), std::u16string{0xFFFD});            // cut short
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'a'}),
              "\xEF\xBF\xBD"
              "a");
}

}  // namespace
}  // namespace forms
