#include <gtest/gtest.h>
#include <zlib.h>

#include "platform/image/image.h"
#include "platform/image/png_chunks.h"

namespace platform {
namespace {

Image Gradient(int32_t width, int32_t height, bool opaque) {
    Image image{width, height, {}};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint32_t alpha = opaque ? 255 : static_cast<uint32_t>(x * 37 + y * 91) & 0xFF;
            image.pixels.push_back(alpha << 24 | static_cast<uint32_t>(x * 5) |
                                   static_cast<uint32_t>(y * 7) << 8 | 0x9A << 16);
        }
    }
    return image;
}

TEST(EncodePng, WritesRgbWhenOpaqueAndRgbaOtherwiseAndDecodesBack) {
    for (bool opaque : {true, false}) {
        for (int32_t width : {1, 2, 3, 5, 49}) {
            SCOPED_TRACE(::testing::Message()
                         << (opaque ? "opaque" : "alpha") << " width " << width);
            Image image = Gradient(width, 33, opaque);
            std::vector<uint8_t> file = EncodePng(image).Value();
            ASSERT_GT(file.size(), 33u);
            EXPECT_EQ(SniffImageFormat(file), ImageFormat::Png);
            // IHDR: width and height big-endian at 16 and 20, bit depth 8, colour type 2 or 6.
            EXPECT_EQ(file[16] << 24 | file[17] << 16 | file[18] << 8 | file[19], width);
            EXPECT_EQ(file[20] << 24 | file[21] << 16 | file[22] << 8 | file[23], 33);
            EXPECT_EQ(file[24], 8);
            EXPECT_EQ(file[25], opaque ? 2 : 6);
            EXPECT_EQ(DecodePng(file).Value(), image);
        }
    }
}

TEST(EncodePng, RejectsASizeThatDoesNotMatchThePixels) {
    EXPECT_TRUE(EncodePng(Image{}).IsError());
    EXPECT_TRUE(EncodePng(Image{2, 2, {1, 2, 3}}).IsError());
}

TEST(DecodePng, EveryTruncationAndCorruptionFails) {
    const std::vector<uint8_t> file = EncodePng(Gradient(5, 4, false)).Value();
    for (size_t size = 0; size < file.size(); ++size) {
        EXPECT_TRUE(DecodePng(std::span(file).first(size)).IsError()) << size;
    }
    // Flipping any byte after the signature breaks a chunk's length, type or checksum.
    for (size_t i = 8; i < file.size(); ++i) {
        std::vector<uint8_t> corrupt = file;
        corrupt[i] ^= 0x40;
        EXPECT_TRUE(DecodePng(corrupt).IsError()) << i;
    }
}

// The CRC-32 of PNG chunks (polynomial 0xEDB88320), bit by bit.
uint32_t Crc32(std::span<const uint8_t> bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? crc >> 1 ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

// A chunk as stored: big-endian length, type, data, checksum.
std::vector<uint8_t> Chunk(std::string_view type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> chunk;
    auto bigEndian = [&](uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            chunk.push_back(static_cast<uint8_t>(value >> shift));
    };
    bigEndian(static_cast<uint32_t>(data.size()));
    for (char c : type)
        chunk.push_back(static_cast<uint8_t>(c));
    for (uint8_t byte : data)
        chunk.push_back(byte);
    bigEndian(Crc32(std::span(chunk).subspan(4)));
    return chunk;
}

TEST(DecodePng, ReadsOnlyTheChunksThePixelsDependOn) {
    const Image image = Gradient(3, 2, false);
    const std::vector<uint8_t> plain =
        EncodePng(image).Value();  // signature, IHDR, sRGB, IDAT, IEND
    std::vector<uint8_t> file(plain.begin(), plain.begin() + 33);
    for (const char* type : {"zTXt", "iCCP", "iCCP", "iTXt", "tEXt", "sPLT", "eXIf", "abCd"}) {
        const std::vector<uint8_t> chunk = Chunk(type, {'k', 0, 0, 0x78, 0x9C, 3, 0});
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    file.insert(file.end(), plain.begin() + 33, plain.end());
    EXPECT_EQ(DecodePng(file).Value(), image);
    std::string kept;
    const std::vector<uint8_t> chunks = ChunksToDecode(file).Value();
    for (size_t at = 8; at < chunks.size(); at += 12 + chunks[at + 3])
        kept.append(chunks.begin() + at + 4, chunks.begin() + at + 8);
    EXPECT_EQ(kept, "IHDRiCCPsRGBIDATIEND");
    file.erase(file.begin() + 8, file.begin() + 33);  // no IHDR first
    EXPECT_TRUE(DecodePng(file).IsError());
}

TEST(DecodePng, RefusesImageDataThatInflatesPastItsRows) {
    // 5 x 3 grey: rows of a filter byte and 5 samples, or the 7 smaller pictures of Adam7.
    for (const auto& [interlaced, rowBytes] : {std::pair{0, 18}, std::pair{1, 22}}) {
        auto file = [interlace = static_cast<uint8_t>(interlaced)](size_t inflated) {
            std::vector<uint8_t> raw(inflated, 0), data(compressBound(inflated));
            uLongf size = data.size();
            compress(data.data(), &size, raw.data(), raw.size());
            data.resize(size);
            std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
            for (const auto& chunk :
                 {Chunk("IHDR", {0, 0, 0, 5, 0, 0, 0, 3, 8, 0, 0, 0, interlace}),
                  Chunk("IDAT", data), Chunk("IEND", {})}) {
                png.insert(png.end(), chunk.begin(), chunk.end());
            }
            return png;
        };
        EXPECT_TRUE(DecodePng(file(rowBytes - 1)).IsError()) << interlaced;
        EXPECT_EQ(DecodePng(file(rowBytes)).Value().pixels, std::vector<uint32_t>(15, 0xFF000000));
        EXPECT_TRUE(DecodePng(file(rowBytes + 1)).IsError()) << interlaced;
    }
}

TEST(DecodePng, RejectsSizesItsDataCannotHold) {
    // A valid file whose header then claims 16384 x 16384 (its checksum rewritten to match):
    // its few bytes of image data cannot hold that, so it is rejected before any allocation.
    std::vector<uint8_t> file = EncodePng(Image{1, 1, {0xFF000000}}).Value();
    const uint8_t side[] = {0, 0, 0x40, 0};
    std::copy(side, side + 4, file.begin() + 16);
    std::copy(side, side + 4, file.begin() + 20);
    uint32_t crc = Crc32(std::span(file).subspan(12, 17));
    for (int i = 0; i < 4; ++i)
        file[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    const Result<Image> decoded = DecodePng(file);
    if (!decoded.IsError()) {
        ADD_FAILURE() << "decoded a forged size";
    } else {
        EXPECT_EQ(decoded.Error().message, "PNG size exceeds what its data can hold");
    }
    EXPECT_TRUE(DecodePng(std::vector<uint8_t>{'B', 'M'}).IsError());
}

}  // namespace
}  // namespace platform
