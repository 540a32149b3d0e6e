// DecodeJpeg's work and memory bounds at their edges, on arithmetic-coded progressive files
// of scans without data (decoded as zeros): each costs its work but only its 10-byte header.
#include <gtest/gtest.h>

#include <string>

#include "platform/image/image.h"
#include "tests/platform/image/file_builder.h"

namespace platform {
namespace {

using Scan = std::vector<uint8_t>;  // Ss, Se, Ah << 4 | Al

// side x side, none subsampled; DC scans take every component, others the first. A comment of
// `padding` bytes (0, or 4 and more) lengthens the file.
std::vector<uint8_t> ScansFile(uint8_t side, uint8_t components, const std::vector<Scan>& scans,
                               uint16_t padding = 0) {
    testing::Bytes b;
    b.Append({0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0}).Append(std::vector<uint8_t>(64, 1));
    if (padding != 0) b.Append({0xFF, 0xFE}).U8((padding - 2) >> 8).U8(padding - 2);
    b.Append(std::vector<uint8_t>(padding == 0 ? 0 : padding - 4, 0));
    b.Append({0xFF, 0xCA, 0}).U8(8 + 3 * components).Append({8, 0, side, 0, side, components});
    for (uint8_t c = 1; c <= components; ++c)
        b.Append({c, 0x11, 0});
    for (const Scan& s : scans) {
        const uint8_t inScan = s[0] == 0 ? components : 1;
        b.Append({0xFF, 0xDA, 0}).U8(6 + 2 * inScan).U8(inScan);
        for (uint8_t c = 1; c <= inScan; ++c)
            b.Append({c, 0});
        b.Append(s);
    }
    return b.Append({0xFF, 0xD9}).data;
}

TEST(JpegLimits, WorkThatMeetsTheAllowanceDecodesAndAByteLessOfFileIsRefused) {
    const struct {  // repeated after a first DC scan over 248 x 248 grey (961 blocks)
        std::vector<Scan> repeated;
        int64_t workPerBlock;  // a block's work and its band's coefficients, twice refined
    } cases[] = {
        {{{0, 0, 0}}, kJpegBlockWork + 1},
        {{{0, 0, 0x01}, {0, 0, 0x10}}, 2 * kJpegBlockWork + 1 + 2},
        {{{5, 9, 0}}, kJpegBlockWork + 5},
        {{{1, 63, 0x01}, {1, 63, 0x10}}, 2 * kJpegBlockWork + 63 + 2 * 63},
    };
    const int64_t passes = kJpegPicturePasses * 961 * (kJpegBlockWork + 64);
    for (const auto& c : cases) {
        std::vector<Scan> scans{{0, 0, 0}};
        int64_t work = 961 * (kJpegBlockWork + 1);
        int64_t padding = -1;  // until a comment a byte shorter can still be written
        while (padding < 5 || (work - passes) % kJpegWorkPerFileByte != 0) {
            scans.insert(scans.end(), c.repeated.begin(), c.repeated.end());
            work += 961 * c.workPerBlock;
            padding = (work - passes) / kJpegWorkPerFileByte -
                      static_cast<int64_t>(ScansFile(248, 1, scans).size());
        }
        EXPECT_EQ(DecodeJpeg(ScansFile(248, 1, scans, padding)).Value().width, 248);
        const Result<Image> over = DecodeJpeg(ScansFile(248, 1, scans, padding - 1));
        EXPECT_NE(over.Error().message.find("units of work"), std::string::npos) << c.workPerBlock;
    }
}

TEST(JpegLimits, RefusesAFileWhosePixelsAndCoefficientsOutgrowItsBudget) {
    // 64 x 64 in colour: 16384 bytes of pixels and 3 x 64 blocks of 128 bytes, 40960 in all.
    const std::vector<uint8_t> file = ScansFile(64, 3, {{0, 0, 0}});
    EXPECT_EQ(DecodeJpeg(file, 40960 / kJpegDecodeBytesPerPixel).Value().width, 64);
    const Result<Image> over = DecodeJpeg(file, 40960 / kJpegDecodeBytesPerPixel - 1);
    EXPECT_NE(over.Error().message.find("needs 40960 bytes"), std::string::npos);
}

}  // namespace
}  // namespace platform
