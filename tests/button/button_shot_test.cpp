// The button-shot tool's options of pictures and of the parent, and what it draws with them.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image/image.h"
#include "platform/objects/picture.h"
#include "tests/button/button_host.h"
#include "tools/button_shot/button_shot.h"

namespace button {
namespace {

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.flush()) << path;
}

struct TempFile {
    explicit TempFile(const std::vector<uint8_t>& bytes)
        : path(testing::TempDir() + "button_shot_" +
               testing::UnitTest::GetInstance()->current_test_info()->name()) {
        WriteFile(path, bytes);
    }
    ~TempFile() { std::remove(path.c_str()); }
    std::string path;
};

ShotCommand Parse(std::vector<std::string_view> args) {
    return ParseShotCommand(args);
}

TEST(ButtonShot, PictureAndParentOptions) {
    const platform::Image red{3, 2, std::vector<uint32_t>(6, 0xFF0000FF)};
    const TempFile bmp(platform::EncodeBmp24(red).Value());
    const ShotCommand c =
        Parse({"--picture", bmp.path, "--picture-over", bmp.path, "--picture-position", "3",
               "--greyscale", "--no-mask-color", "--parent-pattern", "out.png"});
    ASSERT_NE(c.options.pictureNormal, nullptr);
    ASSERT_NE(c.options.pictureOver, nullptr);
    EXPECT_EQ(c.options.pictureNormal->Type(), platform::PictureType::Bitmap);
    EXPECT_EQ(c.options.picturePosition, 3);
    EXPECT_TRUE(c.options.useGreyscale);
    EXPECT_FALSE(c.options.useMaskColor);
    EXPECT_TRUE(c.options.parentPattern);
    EXPECT_EQ(c.outputPath, "out.png");

    const ShotCommand plain = Parse({"out.png"});
    EXPECT_EQ(plain.options.pictureNormal, nullptr);
    EXPECT_TRUE(plain.options.useMaskColor);
    EXPECT_FALSE(plain.options.useGreyscale);
    EXPECT_FALSE(plain.options.parentPattern);
}

TEST(ButtonShot, RejectsPicturesItCannotUse) {
    const platform::Image red{3, 2, std::vector<uint32_t>(6, 0xFF0000FF)};
    const TempFile png(platform::EncodePng(red).Value());
    const TempFile broken(std::vector<uint8_t>{'B', 'M', 1, 2, 3});
    const std::string missing = testing::TempDir() + "button_shot_no_such_file.bmp";
    for (const std::string& path : {png.path, broken.path, missing}) {
        SCOPED_TRACE(path);
        EXPECT_THROW(Parse({"--picture", path, "out.png"}), std::invalid_argument);
        EXPECT_THROW(Parse({"--picture-over", path, "out.png"}), std::invalid_argument);
    }
    EXPECT_THROW(Parse({"--picture", "out.png"}), std::invalid_argument);
    EXPECT_THROW(Parse({"--picture-position", "x", "out.png"}), std::invalid_argument);
}

// A picture given to button-shot is drawn: a 16 x 16 icon centred in a button without caption.
TEST(ButtonShot, DrawsThePicture) {
    ShotOptions options;
    options.buttonType = 10;
    options.width = 40;
    options.height = 30;
    options.pictureNormal = ButtonHost::Icon16();
    const platform::Image shot = RenderShot(options);
    size_t red = 0;
    for (const uint32_t pixel : shot.pixels)
        red += pixel == 0xFF0000FFu ? 1 : 0;
    EXPECT_EQ(red, 16u * 16u);
    EXPECT_EQ(shot.pixels[static_cast<size_t>(7 * 40 + 12)], 0xFF0000FFu);
}

// The Transparent look over the checkerboard parent shows it exactly in every state when it
// has no caption and no focus rectangle.
TEST(ButtonShot, TransparentOverThePatternShowsThePattern) {
    for (const ShotState state :
         {ShotState::Up, ShotState::Lit, ShotState::Down, ShotState::Disabled}) {
        ShotOptions options;
        options.buttonType = 11;
        options.width = 37;
        options.height = 21;
        options.parentColor = 0x336699;
        options.parentPattern = true;
        options.showFocusRect = false;
        options.state = state;
        const platform::Image shot = RenderShot(options);
        // The button's window sits 8 pixels into the form, where the pattern continues.
        for (int32_t y = 0; y < options.height; ++y) {
            for (int32_t x = 0; x < options.width; ++x) {
                ASSERT_EQ(shot.pixels[static_cast<size_t>(y * options.width + x)],
                          0xFF000000u | ParentPixel(options, 8 + x, 8 + y))
                    << "state " << static_cast<int>(state) << " at " << x << ", " << y;
            }
        }
    }
}

TEST(ButtonShot, ParentPatternIsACheckerboardOfTheColourAndWhite) {
    ShotOptions options;
    options.parentColor = 0x123456;
    EXPECT_EQ(ParentPixel(options, 5, 9), 0x123456u);
    options.parentPattern = true;
    EXPECT_EQ(ParentPixel(options, 0, 0), 0x123456u);
    EXPECT_EQ(ParentPixel(options, kPatternSquare - 1, kPatternSquare - 1), 0x123456u);
    EXPECT_EQ(ParentPixel(options, kPatternSquare, 0), 0xFFFFFFu);
    EXPECT_EQ(ParentPixel(options, 0, kPatternSquare), 0xFFFFFFu);
    EXPECT_EQ(ParentPixel(options, kPatternSquare, kPatternSquare), 0x123456u);
}

}  // namespace
}  // namespace button
