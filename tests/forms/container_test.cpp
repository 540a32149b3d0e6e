#include "forms/container.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace forms {
namespace {

TEST(ConvertProperty, ConvertsIntegersAndBooleansIntoOneAnother) {
    EXPECT_EQ(ConvertProperty<int32_t>("k", int16_t{-7}), -7);
    EXPECT_EQ(ConvertProperty<int16_t>("k", int32_t{32767}), 32767);
    EXPECT_EQ(ConvertProperty<int16_t>("k", int32_t{-32768}), -32768);
    EXPECT_EQ(ConvertProperty<int16_t>("k", true), -1);
    EXPECT_EQ(ConvertProperty<int32_t>("k", false), 0);
    EXPECT_TRUE(ConvertProperty<bool>("k", int32_t{2}));
    EXPECT_TRUE(ConvertProperty<bool>("k", int16_t{-1}));
    EXPECT_FALSE(ConvertProperty<bool>("k", int16_t{0}));
    EXPECT_EQ(ConvertProperty<std::string>("k", std::string("Clear")), "Clear");
    platform::FontDesc font;
    font.name = "Arial Black";
    EXPECT_EQ(ConvertProperty<platform::FontDesc>("k", font), font);
    EXPECT_EQ(ConvertProperty<PicturePtr>("k", PicturePtr()), nullptr);
}

TEST(ConvertProperty, RejectsWhatDoesNotConvertOrFit) {
    const auto message = [](auto read) {
        try {
            read();
        } catch (const PropertyTypeError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([] { ConvertProperty<int16_t>("MPTR", int32_t{32768}); }),
              "setting \"MPTR\" cannot be read as a 16-bit integer");
    EXPECT_EQ(message([] { ConvertProperty<int16_t>("MPTR", int32_t{-32769}); }),
              "setting \"MPTR\" cannot be read as a 16-bit integer");
    EXPECT_EQ(message([] { ConvertProperty<int32_t>("BTYPE", std::string("2")); }),
              "setting \"BTYPE\" cannot be read as a 32-bit integer");
    EXPECT_EQ(message([] { ConvertProperty<bool>("HAND", platform::FontDesc()); }),
              "setting \"HAND\" cannot be read as a Boolean");
    EXPECT_EQ(message([] { ConvertProperty<std::string>("TX", int32_t{5}); }),
              "setting \"TX\" cannot be read as a string");
    EXPECT_EQ(message([] { ConvertProperty<platform::FontDesc>("FONT", PicturePtr()); }),
              "setting \"FONT\" cannot be read as a font");
    EXPECT_EQ(message([] { ConvertProperty<PicturePtr>("PICN", true); }),
              "setting \"PICN\" cannot be read as a picture");
}

}  // namespace
}  // namespace forms
