#include "platform/display/xsettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/xsettings_property.h"

namespace platform {
namespace {

using testsupport::XSettingsBytes;
using XSettingsList = std::vector<std::pair<std::string, XSettingValue>>;

TEST(XSettings, ReadsIntegersStringsAndColoursInEitherByteOrder) {
    const XSettingsList list = {{"Xft/DPI", 147456},
                                {"Gdk/WindowScalingFactor", -2},
                                {"Net/ThemeName", std::string("Adwaita")},
                                {"Gtk/Colour", XSettingColour{1, 0x2030, 0xFFFF, 0x8000}}};
    for (const bool msbFirst : {false, true}) {
        std::vector<uint8_t> bytes = XSettingsBytes(msbFirst, list);
        EXPECT_EQ(ParseXSettings(bytes), XSettings(list.begin(), list.end())) << msbFirst;
        // Whatever follows the last setting is not read.
        bytes.resize(bytes.size() + 5, 0xFF);
        EXPECT_EQ(ParseXSettings(bytes), XSettings(list.begin(), list.end())) << msbFirst;
    }
    const std::vector<uint8_t> leastFirst = {0,   0, 0, 0, 1, 0,   0,    0,    1,    0,   0,
                                             0,   0, 0, 7, 0, 'X', 'f',  't',  '/',  'D', 'P',
                                             'I', 0, 9, 0, 0, 0,   0x00, 0x40, 0x02, 0x00};
    const std::vector<uint8_t> mostFirst = {1,   0, 0, 0, 0, 0,   0,    1,    0,    0,   0,
                                            1,   0, 0, 0, 7, 'X', 'f',  't',  '/',  'D', 'P',
                                            'I', 0, 0, 0, 0, 9,   0x00, 0x02, 0x40, 0x00};
    EXPECT_EQ(ParseXSettings(leastFirst), (XSettings{{"Xft/DPI", 147456}}));
    EXPECT_EQ(ParseXSettings(mostFirst), (XSettings{{"Xft/DPI", 147456}}));
}

TEST(XSettings, RefusesMalformedProperties) {
    const std::vector<uint8_t> valid = XSettingsBytes(
        false, XSettingsList{{"Xft/DPI", 98304}, {"Net/ThemeName", std::string("Adwaita")}});
    const auto with = [&](size_t at, std::vector<uint8_t> patch) {
        std::vector<uint8_t> patched = valid;
        std::ranges::copy(patch, patched.begin() + static_cast<ptrdiff_t>(at));
        return patched;
    };
    // The settings start at 12 and 32; the string's length lies at 56.
    const std::vector<uint8_t> cases[] = {
        {},
        with(0, {2}),                        // no byte order
        with(8, {3, 0, 0, 0}),               // more settings than present
        with(8, {0xFF, 0xFF, 0xFF, 0xFF}),   // more than the bytes could hold
        with(12, {3}),                       // unknown type
        with(14, {0xFF, 0}),                 // a name past the end
        with(56, {0xFF, 0xFF, 0xFF, 0xFF}),  // a string past the end
        XSettingsBytes(true, XSettingsList{{"Xft/DPI", 1}, {"Xft/DPI", 2}}),
    };
    for (const std::vector<uint8_t>& bytes : cases)
        EXPECT_EQ(ParseXSettings(bytes), std::nullopt) << testing::PrintToString(bytes);
    for (size_t size = 0; size < valid.size(); ++size)
        EXPECT_EQ(ParseXSettings(std::span(valid).first(size)), std::nullopt) << size;
    ASSERT_TRUE(ParseXSettings(valid));
}

TEST(XSettings, ReadsAPropertyOfManySettings) {
    XSettingsList list;
    for (int32_t i = 0; i < 50000; ++i)
        list.emplace_back("Net/Setting" + std::to_string(i), i);
    EXPECT_EQ(ParseXSettings(XSettingsBytes(true, list)), XSettings(list.begin(), list.end()));
}

}  // namespace
}  // namespace platform
