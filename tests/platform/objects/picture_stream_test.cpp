#include "platform/objects/picture_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An 8 × 8 24-bit BMP file, every pixel black but the top-left one, which is red.
std::vector<uint8_t> RedCornerBmp() {
    constexpr uint32_t kSide = 8;
    constexpr uint32_t kRowBytes = kSide * 3;
    std::vector<uint8_t> file = {'B', 'M'};
    PutLe(file, 54 + kRowBytes * kSide, 4);
    PutLe(file, 0, 4);
    PutLe(file, 54, 4);
    for (uint32_t field : {40u, kSide, kSide})
        PutLe(file, field, 4);
    PutLe(file, 1, 2);
    PutLe(file, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLe(file, 0, 4);
    file.resize(file.size() + kRowBytes * kSide, 0);
    // Rows are stored bottom-up, so the top row is the last; bytes are blue, green, red.
    file[54 + kRowBytes * (kSide - 1) + 2] = 0xFF;
    return file;
}

// A monochrome 32 × 32 cursor file with its hot spot at (5, 0): a black square in the
// top-left 8 × 8 corner, transparent elsewhere.
std::vector<uint8_t> CornerCursor() {
    std::vector<uint8_t> file = {0x00, 0x00, 0x02, 0x00, 0x01, 0x00,  // directory
                                 0x20, 0x20, 0x02, 0x00, 0x05, 0x00, 0x00, 0x00};
    PutLe(file, 304, 4);
    PutLe(file, 22, 4);
    for (uint32_t field : {40u, 32u, 64u})
        PutLe(file, field, 4);
    PutLe(file, 1, 2);
    PutLe(file, 1, 2);
    for (int i = 0; i < 6; ++i)
        PutLe(file, 0, 4);
    PutLe(file, 0x000000, 4);
    PutLe(file, 0xFFFFFF, 4);
    file.resize(file.size() + 128, 0);     // XOR: all black
    file.resize(file.size() + 128, 0xFF);  // AND: all transparent ...
    for (int row = 0; row < 8; ++row) {    // ... but the top 8 rows' first byte
        file[file.size() - 4 * (row + 1)] = 0x00;
    }
    return file;
}

// An 8 × 4 greyscale JPEG file, every pixel grey 128 (quality 100, so the grey is exact).
const std::vector<uint8_t> kGreyJpeg = {
    0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x04, 0x00, 0x08,
    0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x3F, 0xFF, 0xD9,
};

IconImage Square(int32_t side, uint32_t pixel) {
    IconImage icon;
    icon.image.width = side;
    icon.image.height = side;
    icon.image.pixels.assign(static_cast<size_t>(side * side), pixel);
    icon.bitCount = 32;
    return icon;
}

std::vector<uint8_t> WithStreamHeader(const std::vector<uint8_t>& file) {
    std::vector<uint8_t> stream = {0x6C, 0x74, 0x00, 0x00};
    for (int k = 0; k < 4; ++k)
        stream.push_back(static_cast<uint8_t>(file.size() >> (8 * k)));
    stream.insert(stream.end(), file.begin(), file.end());
    return stream;
}

void ExpectStreamError(std::span<const uint8_t> bytes, size_t offset) {
    size_t consumed = 99;
    const auto read = ReadPictureStream(bytes, consumed);
    ASSERT_TRUE(read.IsError());
    EXPECT_EQ(read.Error().offset, offset);
    EXPECT_EQ(consumed, 99u);
}

TEST(PictureStream, NoPictureIsTheEightByteEmptyStream) {
    const std::vector<uint8_t> empty = {0x6C, 0x74, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(WritePictureStream(nullptr), empty);
    size_t consumed = 0;
    EXPECT_EQ(ReadPictureStream(empty, consumed).Value(), nullptr);
    EXPECT_EQ(consumed, 8u);
}

TEST(PictureStream, BitmapStreamIsTheCountedBmpFile) {
    const auto file = RedCornerBmp();
    const auto bytes = WritePictureStream(LoadPicture(file).Value());
    ASSERT_EQ(bytes.size(), 8 + file.size());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<uint8_t>{0x6C, 0x74, 0x00, 0x00}));
    const uint32_t count = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | uint32_t{bytes[7]} << 24;
    EXPECT_EQ(count, file.size());
    EXPECT_EQ(bytes[8], 'B');
    EXPECT_EQ(bytes[9], 'M');
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 8, bytes.end()), file);
}

TEST(PictureStream, BitmapRoundTripKeepsFileAndPixels) {
    const auto file = RedCornerBmp();
    auto bytes = WritePictureStream(LoadPicture(file).Value());
    bytes.push_back(0xAB);  // whatever follows the stream is not the picture's
    size_t consumed = 0;
    const auto picture = ReadPictureStream(bytes, consumed).Value();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(consumed, bytes.size() - 1);
    EXPECT_EQ(picture->Type(), PictureType::Bitmap);
    EXPECT_EQ(picture->FileBytes(), file);
    EXPECT_EQ(picture->Width(), 8);
    EXPECT_EQ(picture->Height(), 8);
    EXPECT_EQ(picture->HimetricWidth(), 212);
    EXPECT_EQ(picture->HimetricHeight(), 212);
    EXPECT_EQ(picture->Pixels().pixels[0], 0xFF0000FFu);
    EXPECT_EQ(picture->Pixels().pixels[1], 0xFF000000u);
    EXPECT_EQ(picture->Pixels().pixels[8], 0xFF000000u);
    EXPECT_EQ(picture->HotSpot(), (Point{0, 0}));
}

// Equal bytes share one decoded picture while it lives; other bytes or another budget do not,
// and sharing keeps no picture alive.
TEST(PictureStream, LoadingTheSameBytesAgainGivesTheLivePicture) {
    const auto file = RedCornerBmp();
    auto first = LoadPicture(file).Value();
    EXPECT_EQ(LoadPicture(file).Value(), first);
    EXPECT_NE(LoadPicture(file, kMaxImagePixels - 1).Value(), first);
    auto other = file;
    other.back() ^= 1;
    EXPECT_NE(LoadPicture(other).Value(), first);
    const std::weak_ptr<const Picture> shared = first;
    first.reset();
    EXPECT_TRUE(shared.expired());
}

TEST(PictureStream, CursorHotSpotSurvivesARoundTrip) {
    const auto file = CornerCursor();
    const auto original = LoadPicture(file).Value();
    EXPECT_EQ(original->Type(), PictureType::Icon);
    EXPECT_EQ(original->HotSpot(), (Point{5, 0}));
    const auto bytes = WritePictureStream(original);
    EXPECT_EQ(bytes.size(), 8u + 326u);
    size_t consumed = 0;
    const auto picture = ReadPictureStream(bytes, consumed).Value();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_EQ(picture->Type(), PictureType::Icon);
    EXPECT_EQ(picture->HotSpot(), (Point{5, 0}));
    EXPECT_EQ(picture->Width(), 32);
    EXPECT_EQ(picture->HimetricWidth(), 847);
    EXPECT_EQ(picture->HimetricHeight(), 847);
    EXPECT_EQ(picture->Pixels().pixels[0], 0xFF000000u);
    EXPECT_EQ(picture->Pixels().pixels[8], 0x00000000u);
    EXPECT_EQ(picture->Pixels().pixels[8 * 32], 0x00000000u);
    EXPECT_EQ(picture->FileBytes(), file);
}

TEST(PictureStream, IconShowsItsThirtyTwoPixelImageElseTheFirst) {
    const std::vector<IconImage> withThirtyTwo = {Square(16, 0xFF0000FF), Square(32, 0xFF00FF00),
                                                  Square(48, 0xFFFF0000)};
    const auto shown = LoadPicture(EncodeIconFile(withThirtyTwo, false).Value()).Value();
    EXPECT_EQ(shown->Width(), 32);
    EXPECT_EQ(shown->Pixels().pixels[0], 0xFF00FF00u);

    const std::vector<IconImage> withoutThirtyTwo = {Square(48, 0xFFFF0000),
                                                     Square(16, 0xFF0000FF)};
    const auto first = LoadPicture(EncodeIconFile(withoutThirtyTwo, false).Value()).Value();
    EXPECT_EQ(first->Type(), PictureType::Icon);
    EXPECT_EQ(first->Width(), 48);
    EXPECT_EQ(first->Pixels().pixels[0], 0xFFFF0000u);
}

TEST(PictureStream, PngFileMakesABitmap) {
    Image image;
    image.width = 3;
    image.height = 2;
    image.pixels = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF000000, 0xFFFFFFFF, 0xFF808080};
    const auto picture = LoadPicture(EncodePng(image).Value()).Value();
    EXPECT_EQ(picture->Type(), PictureType::Bitmap);
    EXPECT_EQ(picture->Pixels(), image);
    EXPECT_EQ(picture->HimetricWidth(), 79);
    EXPECT_EQ(picture->HimetricHeight(), 53);
}

TEST(PictureStream, JpegFileMakesABitmap) {
    const auto picture = LoadPicture(kGreyJpeg).Value();
    EXPECT_EQ(picture->Type(), PictureType::Bitmap);
    EXPECT_EQ(picture->Width(), 8);
    EXPECT_EQ(picture->Height(), 4);
    EXPECT_EQ(picture->HimetricWidth(), 212);
    EXPECT_EQ(picture->HimetricHeight(), 106);
    EXPECT_EQ(picture->Pixels().pixels, std::vector<uint32_t>(32, 0xFF808080u));
    EXPECT_EQ(picture->FileBytes(), kGreyJpeg);
}

TEST(PictureStream, ReadsABareImageFileWithoutHeader) {
    const auto file = RedCornerBmp();
    size_t consumed = 0;
    const auto picture = ReadPictureStream(file, consumed).Value();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(consumed, file.size());
    EXPECT_EQ(picture->FileBytes(), file);
}

TEST(PictureStream, EveryTruncationFailsAtTheFirstMissingByte) {
    const auto bytes = WritePictureStream(LoadPicture(RedCornerBmp()).Value());
    for (size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        // Shorter than the signature, the bytes are a bare file that is no picture file.
        ExpectStreamError(std::span(bytes).first(length), length < 4 ? 0 : length);
    }
}

TEST(PictureStream, CountBeyondTheStreamIsAnError) {
    auto bytes = WritePictureStream(nullptr);
    bytes[4] = 1;
    ExpectStreamError(bytes, 8);
    bytes[4] = 0;
    bytes[7] = 0x80;
    ExpectStreamError(bytes, 8);
}

// A file that is no picture file is wrong from its first byte; a picture that does not decode
// is wrong where its decoder found the fault, counted from the start of the stream.
TEST(PictureStream, UndecodableImageIsAnErrorAtTheByteAtFault) {
    std::vector<uint8_t> bytes = {0x6C, 0x74, 0x00, 0x00, 0x04, 0x00,
                                  0x00, 0x00, 'G',  'I',  'F',  '8'};
    ExpectStreamError(bytes, 8);
    ExpectStreamError(std::span(bytes).subspan(8), 0);
    auto bmp = RedCornerBmp();
    bmp[28] = 2;  // the bit count: there are no 2-bit bitmaps
    ExpectStreamError(bmp, 28);
    ExpectStreamError(WithStreamHeader(bmp), 8 + 28);
    bmp[28] = 24;
    bmp.resize(bmp.size() - 1);  // the last row ends a byte early
    ExpectStreamError(WithStreamHeader(bmp), 8 + bmp.size());
}

TEST(PictureStream, HimetricIsPixelsAt96DotsPerInchRoundedToNearest) {
    struct Case {
        int32_t pixels;
        int32_t himetric;
    };
    for (const Case& c :
         {Case{0, 0}, Case{1, 26}, Case{3, 79}, Case{8, 212}, Case{16, 423}, Case{32, 847},
          Case{48, 1270}, Case{75, 1984}, Case{96, 2540}, Case{-8, -212}}) {
        SCOPED_TRACE(c.pixels);
        EXPECT_EQ(PixelsToHimetric(c.pixels), c.himetric);
    }
}

TEST(PictureStream, ClassIdIsTheStandardPictureObjects) {
    const std::array<uint8_t, 16> expected = {0x04, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                                              0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
    EXPECT_EQ(kStdPictureClassId, expected);
}

}  // namespace
}  // namespace platform
