#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "resources/tavik_resources.h"
#include "tests/resources/tavik_embed_samples.h"

namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<uint8_t> Bytes(std::span<const uint8_t> span) {
    return {span.begin(), span.end()};
}

TEST(Resources, EmbeddedBytesEqualTheFiles) {
    for (const char* name : {"main-keys.bin", "icon.ico", "hand.cur", "help-pointer.cur",
                             "background.jpg", "splash-strip.jpg"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> file = FileBytes(std::string("resources/") + name);
        ASSERT_FALSE(file.empty());
        EXPECT_TRUE(Bytes(resources::Resource(name)) == file);
    }
}

TEST(Resources, UnknownNamesAndPathsGiveNothing) {
    for (const char* name : {"", "icon", "ICON.ICO", "resources/icon.ico", "icon.ico ",
                             "example.tavik.calculator.desktop", "tavik-calculator.png"}) {
        EXPECT_TRUE(resources::Resource(name).empty()) << name;
    }
}

TEST(Resources, EveryByteValueAndAnEmptyFileSurviveEmbedding) {
    std::vector<uint8_t> all(256);
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(Bytes(embedsamples::Resource("all-bytes.bin")), all);
    EXPECT_EQ(FileBytes("tests/resources/samples/all-bytes.bin"), all);
    EXPECT_TRUE(embedsamples::Resource("empty.bin").empty());
    EXPECT_TRUE(embedsamples::Resource("icon.ico").empty());
}

TEST(Resources, DesktopEntryStartsTheProgramWithItsIcon) {
    std::ifstream in("resources/example.tavik.calculator.desktop");
    ASSERT_TRUE(in) << "resources/example.tavik.calculator.desktop is missing";
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "[Desktop Entry]");
    std::map<std::string, std::string> keys;
    while (std::getline(in, line)) {
        ASSERT_FALSE(line.empty() || line[0] == '[') << "one group only: " << line;
        const size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        EXPECT_TRUE(keys.emplace(line.substr(0, equals), line.substr(equals + 1)).second)
            << "repeated key: " << line;
    }
    const std::map<std::string, std::string> required = {
        {"Type", "Application"},      {"Name", "Tavik Calculator"},
        {"Exec", "tavik-calculator"}, {"Icon", "tavik-calculator"},
        {"Terminal", "false"},        {"Categories", "Utility;Calculator;"},
        // The class the program's windows carry, by which the desktop matches them to the entry.
        {"StartupWMClass", "Tavik-calculator"},
        // The launcher shows a busy pointer until the program's first window maps.
        {"StartupNotify", "true"},
    };
    for (const auto& [key, value] : required)
        EXPECT_EQ(keys[key], value) << key;
}

}  // namespace
