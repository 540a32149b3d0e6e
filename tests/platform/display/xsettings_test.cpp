#include "platform/display/xsettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/xsettings_property.h"

namespace platform {
namespace {

using testsupport::XSettingsProperty;

TEST(XSettings, ReadsIntegersStringsAndColoursInEitherByteOrder) {
    const XSettings expected = {{"Xft/DPI", 147456},
                                {"Gdk/WindowScalingFactor", -2},
                                {"Net/ThemeName", std::string("Adwaita")},
                                {"Gtk/Colour", XSettingColour{1, 0x2030, 0xFFFF, 0x8000}}};
    for (const bool msbFirst : {false, true}) {
        const XSettingsProperty property = XSettingsProperty(msbFirst, 4)
                                               .Integer("Xft/DPI", 147456)
                                               .Integer("Gdk/WindowScalingFactor", -2)
                                               .String("Net/ThemeName", "Adwaita")
                                               .Colour("Gtk/Colour", {1, 0x2030, 0xFFFF, 0x8000});
        EXPECT_EQ(ParseXSettings(property.bytes), expected) << msbFirst;
        // Whatever follows the last setting is not read.
        std::vector<uint8_t> longer = property.bytes;
        longer.resize(longer.size() + 5, 0xFF);
        EXPECT_EQ(ParseXSettings(longer), expected) << msbFirst;
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
    const XSettingsProperty valid =
        XSettingsProperty(false, 2).Integer("Xft/DPI", 98304).String("Net/ThemeName", "Adwaita");
    // The settings start at 12 and 32; the string's length lies at 56.
    const std::vector<uint8_t> cases[] = {
        {},
        valid.With(0, {2}),                        // no byte order
        valid.With(8, {3, 0, 0, 0}),               // more settings than present
        valid.With(8, {0xFF, 0xFF, 0xFF, 0xFF}),   // more than the bytes could hold
        valid.With(12, {3}),                       // unknown type
        valid.With(14, {0xFF, 0}),                 // a name past the end
        valid.With(56, {0xFF, 0xFF, 0xFF, 0xFF}),  // a string past the end
        XSettingsProperty(true, 2).Integer("Xft/DPI", 1).Integer("Xft/DPI", 2).bytes,
    };
    for (const std::vector<uint8_t>& bytes : cases)
        EXPECT_EQ(ParseXSettings(bytes), std::nullopt) << testing::PrintToString(bytes);
    for (size_t size = 0; size < valid.bytes.size(); ++size)
        EXPECT_EQ(ParseXSettings(std::span(valid.bytes).first(size)), std::nullopt) << size;
    ASSERT_TRUE(ParseXSettings(valid.bytes));
}

TEST(XSettings, ReadsAPropertyOfManySettings) {
    constexpr int32_t kCount = 50000;
    XSettingsProperty property(true, kCount);
    for (int32_t i = 0; i < kCount; ++i)
        property.Integer("Net/Setting" + std::to_string(i), i);
    const std::optional<XSettings> settings = ParseXSettings(property.bytes);
    ASSERT_TRUE(settings);
    ASSERT_EQ(settings->size(), size_t{kCount});
    for (int32_t i = 0; i < kCount; ++i)
        EXPECT_EQ(settings->at("Net/Setting" + std::to_string(i)), XSettingValue(i));
}

}  // namespace
}  // namespace platform
