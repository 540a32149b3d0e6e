#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/image/image.h"
#include "tests/platform/image/file_builder.h"
#include "tests/platform/image/jpeg_samples.h"

namespace platform {
namespace {

using namespace platform::testing;

// JPEG is lossy: each channel within a few levels of the colour encoded.
void ExpectNear(uint32_t pixel, uint32_t opaqueWant, int32_t x, int32_t y) {
    EXPECT_EQ(pixel >> 24, 0xFFu) << x << "," << y;
    for (int shift = 0; shift < 24; shift += 8) {
        int got = static_cast<int>(pixel >> shift & 0xFF);
        int want = static_cast<int>(opaqueWant >> shift & 0xFF);
        EXPECT_LE(std::abs(got - want), 4) << "pixel " << x << "," << y << " channel " << shift / 8;
    }
}

TEST(DecodeJpeg, DecodesBaselineProgressiveAndSubsampledFiles) {
    struct Case {
        const char* name;
        const std::vector<uint8_t>& file;
        int32_t width, height;
        uint32_t left, right;  // 0x00BBGGRR of columns 0-7 and of the rest
    };
    const Case cases[] = {
        {"baseline", kJpegBaseline444, 16, 8, 0x0000FF, 0xFF0000},
        {"progressive grey", kJpegProgressiveGray, 16, 8, 0x404040, 0xC0C0C0},
        {"subsampled with restarts", kJpegSubsampledRestart, 17, 9, 0x00A000, 0x00A000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = DecodeJpeg(c.file).Value();
        ASSERT_EQ(image.width, c.width);
        ASSERT_EQ(image.height, c.height);
        ASSERT_EQ(image.pixels.size(), static_cast<size_t>(c.width * c.height));
        for (int32_t y = 0; y < c.height; ++y) {
            for (int32_t x = 0; x < c.width; ++x) {
                ExpectNear(image.pixels[y * c.width + x], x < 8 ? c.left : c.right, x, y);
            }
        }
    }
}

TEST(DecodeJpeg, KeepsNoSpareRowsOnceDecoded) {
    // A picture lives as long as the window that shows it: its pixels take exactly their size.
    for (const auto& [width, height] : {std::pair{37, 29}, std::pair{544, 396}}) {
        SCOPED_TRACE(width);
        const Image source{width, height,
                           std::vector<uint32_t>(static_cast<size_t>(width * height), 0xFF808080)};
        const Image image = DecodeJpeg(EncodeJpeg(source, 90).Value()).Value();
        ASSERT_EQ(image.pixels.size(), static_cast<size_t>(width * height));
        EXPECT_EQ(image.pixels.capacity(), image.pixels.size());
    }
}

// The top-left part of `image`, at most width x height.
Image TopLeft(const Image& image, int32_t width, int32_t height) {
    Image part{std::min(width, image.width), std::min(height, image.height), {}};
    for (int32_t y = 0; y < part.height; ++y) {
        const auto row = image.pixels.begin() + y * image.width;
        part.pixels.insert(part.pixels.end(), row, row + part.width);
    }
    return part;
}

TEST(DecodeJpegTopLeft, GivesThePixelsOfTheWholeDecodeThatLieInThePart) {
    Image gradient{40, 24, {}};
    for (int32_t y = 0; y < gradient.height; ++y) {
        for (int32_t x = 0; x < gradient.width; ++x)
            gradient.pixels.push_back(0xFF000000u | uint32_t(y * 10) << 8 | uint32_t(x * 6));
    }
    const std::vector<uint8_t> encoded = EncodeJpeg(gradient, 90).Value();
    const std::pair<const char*, const std::vector<uint8_t>*> files[] = {
        {"baseline", &kJpegBaseline444},
        {"progressive grey", &kJpegProgressiveGray},
        {"subsampled with restarts", &kJpegSubsampledRestart},
        {"gradient", &encoded},
    };
    // Parts inside a block, ending on a block's edge, past one side, past both, and empty.
    const std::pair<int32_t, int32_t> parts[] = {{1, 1},  {5, 3},  {8, 8},   {16, 4},
                                                 {9, 30}, {50, 7}, {99, 99}, {0, 0}};
    for (const auto& [name, file] : files) {
        const Image whole = DecodeJpeg(*file).Value();
        for (const auto& [width, height] : parts) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(width) + "x" +
                         std::to_string(height));
            const ImagePart part = DecodeJpegTopLeft(*file, width, height).Value();
            const Image expected = TopLeft(whole, std::max(width, 1), std::max(height, 1));
            EXPECT_EQ(part.wholeWidth, whole.width);
            EXPECT_EQ(part.wholeHeight, whole.height);
            ASSERT_EQ(part.image.width, expected.width);
            ASSERT_EQ(part.image.height, expected.height);
            EXPECT_EQ(part.image.pixels, expected.pixels);
            EXPECT_EQ(part.image.pixels.capacity(), part.image.pixels.size());
        }
    }
}

TEST(DecodeJpegTopLeft, ReadsNoFurtherThanThePartsLastRow) {
    // A file cut after its first rows of blocks (the picture's data is most of the file) still
    // gives those rows; the whole decode fails.
    Image noise{64, 64, {}};
    uint32_t state = 1;
    for (int i = 0; i < 64 * 64; ++i) {
        state = state * 1664525u + 1013904223u;
        noise.pixels.push_back(0xFF000000u | state >> 8);
    }
    const std::vector<uint8_t> file = EncodeJpeg(noise, 90).Value();
    const std::span<const uint8_t> cut = std::span(file).first(file.size() * 3 / 4);
    EXPECT_TRUE(DecodeJpeg(cut).IsError());
    const ImagePart part = DecodeJpegTopLeft(cut, 64, 8).Value();
    EXPECT_EQ(part.image.pixels, TopLeft(DecodeJpeg(file).Value(), 64, 8).pixels);
}

TEST(DecodeJpeg, EveryTruncationFails) {
    for (const auto* file : {&kJpegBaseline444, &kJpegProgressiveGray, &kJpegSubsampledRestart}) {
        for (size_t size = 0; size < file->size(); ++size) {
            EXPECT_TRUE(DecodeJpeg(std::span(*file).first(size)).IsError()) << size;
        }
    }
}

TEST(DecodeJpeg, RejectsOtherBytesAndForgedSizes) {
    EXPECT_TRUE(DecodeJpeg(std::vector<uint8_t>{'B', 'M', 0, 0}).IsError());
    EXPECT_TRUE(DecodeJpeg(std::vector<uint8_t>(64, 0xFF)).IsError());
    // The frame header's height and width follow FF C0, its length and the precision.
    auto withSize = [](uint8_t high, uint8_t low) {
        std::vector<uint8_t> file = kJpegBaseline444;
        for (size_t i = 0; i + 8 < file.size(); ++i) {
            if (file[i] == 0xFF && file[i + 1] == 0xC0) {
                file[i + 5] = file[i + 7] = high;
                file[i + 6] = file[i + 8] = low;
                break;
            }
        }
        return file;
    };
    EXPECT_TRUE(DecodeJpeg(withSize(0x40, 0x08)).IsError());  // 16392: over the limit
    EXPECT_TRUE(DecodeJpeg(withSize(0x3E, 0x80)).IsError());  // 16000: data runs out
}

// A grey progressive arithmetic-coded JPEG of `scans` DC scans without data, which libjpeg
// decodes as zeros: each scan costs no bytes but its 10-byte header.
std::vector<uint8_t> EmptyScans(uint16_t side, int scans) {
    Bytes b;
    b.Append({0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0});
    for (int i = 0; i < 64; ++i)
        b.U8(1);
    b.Append({0xFF, 0xCA, 0, 11, 8}).U8(side >> 8).U8(side).U8(side >> 8).U8(side);
    b.Append({1, 1, 0x11, 0});
    for (int i = 0; i < scans; ++i)
        b.Append({0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0, 0});
    return b.Append({0xFF, 0xD9}).data;
}

TEST(DecodeJpeg, RefusesTheScanPastTheScanLimitOrTheWorkAllowance) {
    EXPECT_EQ(DecodeJpeg(EmptyScans(8, kMaxJpegScans)).Value().pixels.at(0), 0xFF808080u);
    EXPECT_TRUE(DecodeJpeg(EmptyScans(8, kMaxJpegScans + 1)).IsError());
    // The most scans of 512 x 512 (4096 blocks) that the allowance covers decode, one more not.
    constexpr int64_t kScanWork = 4096 * (kJpegBlockWork + 1);
    int scans = 1;
    while ((scans + 1) * kScanWork <=
           kJpegPicturePasses * 4096 * (kJpegBlockWork + 64) +
               kJpegWorkPerFileByte * static_cast<int64_t>(EmptyScans(512, scans + 1).size())) {
        ++scans;
    }
    EXPECT_EQ(DecodeJpeg(EmptyScans(512, scans)).Value().width, 512);
    EXPECT_TRUE(DecodeJpeg(EmptyScans(512, scans + 1)).IsError());
}

// As EmptyScans, in colour subsampled 4:2:0: each DC scan interleaves Y (2 x 2 blocks an MCU)
// with Cb and Cr (one block each), 6 blocks an MCU in all.
std::vector<uint8_t> EmptySubsampledScans(uint16_t side, int scans) {
    Bytes b;
    b.Append({0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0});
    for (int i = 0; i < 64; ++i)
        b.U8(1);
    b.Append({0xFF, 0xCA, 0, 17, 8}).U8(side >> 8).U8(side).U8(side >> 8).U8(side);
    b.Append({3, 1, 0x22, 0, 2, 0x11, 0, 3, 0x11, 0});
    for (int i = 0; i < scans; ++i)
        b.Append({0xFF, 0xDA, 0, 12, 3, 1, 0, 2, 0, 3, 0, 0, 0, 0});
    return b.Append({0xFF, 0xD9}).data;
}

TEST(DecodeJpeg, CountsEveryBlockOfAnInterleavedSubsampledScanAgainstTheAllowance) {
    // 200 x 200: Y has 25 x 25 blocks, Cb and Cr 13 x 13 each. A scan of all three covers
    // 13 x 13 MCUs of 6 blocks, the padding blocks on the right and at the bottom included.
    constexpr int64_t kPictureBlocks = 25 * 25 + 2 * 13 * 13;
    constexpr int64_t kScanWork = 13 * 13 * 6 * (kJpegBlockWork + 1);
    int scans = 1;
    while ((scans + 1) * kScanWork <=
           kJpegPicturePasses * kPictureBlocks * (kJpegBlockWork + 64) +
               kJpegWorkPerFileByte *
                   static_cast<int64_t>(EmptySubsampledScans(200, scans + 1).size())) {
        ++scans;
    }
    ASSERT_LT(scans, kMaxJpegScans);
    const Result<Image> most = DecodeJpeg(EmptySubsampledScans(200, scans));
    ASSERT_FALSE(most.IsError()) << most.Error().message;
    EXPECT_EQ(most.Value().width, 200);
    ExpectNear(most.Value().pixels.at(0), 0x808080, 0, 0);
    EXPECT_TRUE(DecodeJpeg(EmptySubsampledScans(200, scans + 1)).IsError()) << scans + 1;
}

TEST(DecodeJpeg, FailuresGiveLibjpegsMessage) {
    auto messageOf = [](std::span<const uint8_t> file) -> std::string {
        const Result<Image> decoded = DecodeJpeg(file);
        if (decoded.IsError()) return decoded.Error().message;
        return "no error";
    };
    // An error, and a warning about corrupt data, which fails the decode as well.
    EXPECT_EQ(messageOf(std::vector<uint8_t>{'B', 'M', 0, 0}),
              "JPEG: Not a JPEG file: starts with 0x42 0x4d");
    EXPECT_EQ(messageOf(std::span(kJpegBaseline444).first(kJpegBaseline444.size() / 2)),
              "JPEG: Premature end of JPEG file");
}

}  // namespace
}  // namespace platform
