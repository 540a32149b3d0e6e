// The work and memory bounds of DecodeJpeg at their exact edges, on arithmetic-coded
// progressive files whose scans carry no data: libjpeg decodes each as zeros, so a scan costs
// the work of its blocks and coefficients but only its 10-byte header.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/image.h"
#include "tests/platform/image/file_builder.h"

namespace platform {
namespace {

using namespace platform::testing;

struct Scan {
    uint8_t ss, se, ah, al;
};

// A side x side picture of `components` components, none subsampled, with the scans given
// (DC scans interleave every component, others take the first), and a comment of `padding`
// bytes (0, or 4 and more with its marker).
std::vector<uint8_t> ScansFile(uint16_t side, uint8_t components, const std::vector<Scan>& scans,
                               size_t padding = 0) {
    Bytes b;
    b.Append({0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0});
    for (int i = 0; i < 64; ++i)
        b.U8(1);
    if (padding != 0) b.Append({0xFF, 0xFE}).U8((padding - 2) >> 8).U8(padding - 2);
    b.data.resize(b.data.size() + (padding == 0 ? 0 : padding - 4));
    b.Append({0xFF, 0xCA, 0}).U8(8 + 3 * components).U8(8);
    b.U8(side >> 8).U8(side).U8(side >> 8).U8(side).U8(components);
    for (uint8_t c = 1; c <= components; ++c)
        b.Append({c, 0x11, 0});
    for (const Scan& s : scans) {
        const uint8_t inScan = s.ss == 0 ? components : 1;
        b.Append({0xFF, 0xDA, 0}).U8(6 + 2 * inScan).U8(inScan);
        for (uint8_t c = 1; c <= inScan; ++c)
            b.Append({c, 0});
        b.U8(s.ss).U8(s.se).U8(s.ah << 4 | s.al);
    }
    return b.Append({0xFF, 0xD9}).data;
}

TEST(JpegLimits, WorkThatMeetsTheAllowanceDecodesAndAByteLessOfFileIsRefused) {
    // Scans repeated after a first DC scan over 512 x 512 grey (4096 blocks); a block costs its
    // own work and each coefficient of the band, twice in a refinement.
    const struct {
        const char* name;
        std::vector<Scan> repeated;
        int64_t workPerBlock;
    } cases[] = {
        {"DC", {{0, 0, 0, 0}}, kJpegBlockWork + 1},
        {"DC refinement", {{0, 0, 0, 1}, {0, 0, 1, 0}}, 2 * kJpegBlockWork + 1 + 2},
        {"AC band", {{5, 9, 0, 0}}, kJpegBlockWork + 5},
        {"AC refinement", {{1, 63, 0, 1}, {1, 63, 1, 0}}, 2 * kJpegBlockWork + 63 + 2 * 63},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Scan> scans{{0, 0, 0, 0}};
        int64_t work = 4096 * (kJpegBlockWork + 1);
        const int64_t passes = kJpegPicturePasses * 4096 * (kJpegBlockWork + 64);
        int64_t padding = -1;  // until a comment one byte shorter can still be written
        while (padding < 5) {
            scans.insert(scans.end(), c.repeated.begin(), c.repeated.end());
            work += 4096 * c.workPerBlock;
            padding = (work - passes) / kJpegWorkPerFileByte -
                      static_cast<int64_t>(ScansFile(512, 1, scans).size());
        }
        ASSERT_EQ((work - passes) % kJpegWorkPerFileByte, 0);
        ASSERT_GE(padding, 0);
        EXPECT_EQ(DecodeJpeg(ScansFile(512, 1, scans, padding)).Value().width, 512);
        const Result<Image> over = DecodeJpeg(ScansFile(512, 1, scans, padding - 1));
        ASSERT_TRUE(over.IsError());
        EXPECT_NE(over.Error().message.find("units of work"), std::string::npos);
    }
}

TEST(JpegLimits, RefusesAProgressiveFileWhosePixelsAndCoefficientsOutgrowItsBudget) {
    // 64 x 64 in colour, none subsampled: 16384 bytes of pixels and 3 x 64 blocks of 128
    // bytes, 40960 bytes in all, which 5120 pixels of budget cover.
    const std::vector<uint8_t> file = ScansFile(64, 3, {{0, 0, 0, 0}});
    const Result<Image> most = DecodeJpeg(file, 40960 / kJpegDecodeBytesPerPixel);
    ASSERT_FALSE(most.IsError()) << most.Error().message;
    const Result<Image> over = DecodeJpeg(file, 40960 / kJpegDecodeBytesPerPixel - 1);
    ASSERT_TRUE(over.IsError());
    EXPECT_NE(over.Error().message.find("needs 40960 bytes"), std::string::npos)
        << over.Error().message;
}

}  // namespace
}  // namespace platform
