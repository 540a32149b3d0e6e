#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/image/image.h"
#include "tests/support/pixels.h"
#include "tools/artwork/artwork_files.h"
#include "tools/artwork/background.h"
#include "tools/artwork/splash_strip.h"
#include "tools/artwork/window_icon.h"

namespace artwork {
namespace {

std::vector<uint8_t> Committed(const std::string& path) {
    std::ifstream in("resources/" + path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

uint16_t Word(const std::vector<uint8_t>& file, size_t at) {
    return static_cast<uint16_t>(file[at] | file[at + 1] << 8);
}

TEST(Artwork, RegeneratingGivesTheCommittedBytes) {
    const std::vector<ArtworkFile> files = MakeArtworkFiles();
    // Five files, a PNG of each window icon size and the scalable icon.
    ASSERT_EQ(files.size(), 6 + std::size(kWindowIconSizes));
    for (const ArtworkFile& file : files) {
        SCOPED_TRACE(file.path);
        const std::vector<uint8_t> committed = Committed(file.path);
        ASSERT_FALSE(committed.empty()) << "resources/" << file.path << " is missing";
        EXPECT_TRUE(file.bytes == committed)
            << "resources/" << file.path << " is stale: run build/tools/make-artwork resources";
    }
}

TEST(Artwork, WindowIconHoldsEverySizeWithAlphaTheLargeOnesAsPngs) {
    const std::vector<uint8_t> file = Committed("icon.ico");
    ASSERT_GE(file.size(), 6 + 16 * std::size(kWindowIconSizes));
    EXPECT_EQ(platform::SniffImageFormat(file), platform::ImageFormat::Ico);
    const std::vector<platform::IconImage> images = platform::DecodeIconFile(file).Value();
    ASSERT_EQ(images.size(), std::size(kWindowIconSizes));
    for (size_t i = 0; i < images.size(); ++i) {
        const int32_t size = kWindowIconSizes[i];
        SCOPED_TRACE(size);
        EXPECT_EQ(images[i].image.width, size);
        EXPECT_EQ(images[i].image.height, size);
        EXPECT_EQ(images[i].bitCount, 32);
        EXPECT_EQ(images[i].image, WindowIconImage(size));
        // Transparent corners around an opaque body.
        EXPECT_EQ(images[i].image.pixels.front() >> 24, 0u);
        EXPECT_EQ(testsupport::PixelAt(images[i].image, size / 2, size / 2) >> 24, 0xFFu);
        const size_t entry = 6 + 16 * i;
        const uint32_t offset =
            static_cast<uint32_t>(Word(file, entry + 12) | Word(file, entry + 14) << 16);
        const bool png = file[offset] == 0x89 && file[offset + 1] == 'P';
        EXPECT_EQ(png, size >= 64);
        EXPECT_EQ(file[entry], size == 256 ? 0 : size);
    }
}

TEST(Artwork, InstalledIconPngsMatchTheWindowIcon) {
    for (int32_t size : kWindowIconSizes) {
        const std::string side = std::to_string(size);
        SCOPED_TRACE(side);
        const std::vector<uint8_t> file =
            Committed("icons/hicolor/" + side + "x" + side + "/apps/tavik-calculator.png");
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(platform::DecodePng(file).Value(), WindowIconImage(size));
    }
}

TEST(Artwork, CursorsAre32PixelMonochromeWithTheirHotSpots) {
    struct Case {
        const char* path;
        int hotX, hotY;
    };
    for (const Case& c : {Case{"hand.cur", 5, 0}, Case{"help-pointer.cur", 0, 0}}) {
        SCOPED_TRACE(c.path);
        const std::vector<uint8_t> file = Committed(c.path);
        // One 32 x 32 1-bit image: 40-byte header, two palette entries, XOR and AND bitmaps.
        ASSERT_EQ(file.size(), 326u);
        const std::vector<uint8_t> head = {0, 0, 2, 0, 1, 0, 32, 32, 2, 0};
        EXPECT_TRUE(std::equal(head.begin(), head.end(), file.begin()));
        EXPECT_EQ(Word(file, 10), c.hotX);
        EXPECT_EQ(Word(file, 12), c.hotY);
        EXPECT_EQ(Word(file, 22 + 14), 1) << "bits per pixel";
        const std::vector<uint8_t> palette = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
        EXPECT_TRUE(std::equal(palette.begin(), palette.end(), file.begin() + 62));

        const std::vector<platform::IconImage> images = platform::DecodeIconFile(file).Value();
        ASSERT_EQ(images.size(), 1u);
        const platform::IconImage& cursor = images[0];
        EXPECT_EQ(cursor.hotSpotX, c.hotX);
        EXPECT_EQ(cursor.hotSpotY, c.hotY);
        ASSERT_EQ(cursor.image.width, 32);
        ASSERT_EQ(cursor.image.height, 32);
        // Every pixel black, white or transparent; the hot spot is on the black outline.
        for (uint32_t pixel : cursor.image.pixels)
            EXPECT_TRUE(pixel == 0 || pixel == 0xFF000000 || pixel == 0xFFFFFFFF) << pixel;
        EXPECT_EQ(testsupport::PixelAt(cursor.image, c.hotX, c.hotY), 0xFF000000);
    }
}

TEST(Artwork, PicturesHaveTheirSizesAndShapes) {
    const platform::Image background = platform::DecodeJpeg(Committed("background.jpg")).Value();
    EXPECT_EQ(background.width, 544);
    EXPECT_EQ(background.height, 396);
    // Blue dominates everywhere.
    for (uint32_t pixel : background.pixels) {
        const uint32_t r = pixel & 0xFF, g = pixel >> 8 & 0xFF, b = pixel >> 16 & 0xFF;
        ASSERT_TRUE(b > r && b > g) << std::hex << pixel;
    }

    const platform::Image strip = platform::DecodeJpeg(Committed("splash-strip.jpg")).Value();
    ASSERT_EQ(strip.width, 112);
    ASSERT_EQ(strip.height, 1);
    auto brightness = [&](int32_t x) {
        const uint32_t p = strip.pixels[static_cast<size_t>(x)];
        return static_cast<int>((p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF));
    };
    EXPECT_LT(brightness(0), 200);
    EXPECT_LT(brightness(111), 200);
    EXPECT_GT(brightness(55), 3 * 245);
    EXPECT_GT(brightness(56), 3 * 245);
    EXPECT_LT(brightness(20), brightness(40));
    EXPECT_LT(brightness(91), brightness(71));
}

}  // namespace
}  // namespace artwork
