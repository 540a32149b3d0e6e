// Every decoder holds to the pixel budget its caller gives: a picture of exactly the budget
// decodes, one pixel over is refused with the size named.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/image/image.h"

namespace platform {
namespace {

TEST(PixelBudget, EveryDecoderRefusesAPictureOverItsBudget) {
    const Image image{10, 10, std::vector<uint32_t>(100, 0xFF336699)};
    const IconImage icon{image, 0, 0, 32};
    const struct {
        const char* format;
        std::vector<uint8_t> file;
        std::function<Result<Image>(std::span<const uint8_t>, int64_t)> decode;
    } cases[] = {
        {"BMP", EncodeBmp24(image).Value(), [](auto f, int64_t n) { return DecodeBmp(f, n); }},
        {"PNG", EncodePng(image).Value(), [](auto f, int64_t n) { return DecodePng(f, n); }},
        {"JPEG", EncodeJpeg(image, 90).Value(), [](auto f, int64_t n) { return DecodeJpeg(f, n); }},
        {"ICO", EncodeIconFile({&icon, 1}, false).Value(),
         [](auto f, int64_t n) -> Result<Image> {
             return TRY(DecodeIconFileImage(f, 10, 10, n)).image;
         }},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.decode(c.file, 100).Value().width, 10) << c.format;
        const Result<Image> over = c.decode(c.file, 99);
        if (!over.IsError()) {
            ADD_FAILURE() << c.format << " decoded over its budget";
            continue;
        }
        EXPECT_NE(over.Error().message.find("10 x 10 pixels"), std::string::npos)
            << c.format << ": " << over.Error().message;
    }
}

}  // namespace
}  // namespace platform
