#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image/image.h"
#include "tests/support/pixels.h"

namespace testsupport {

/// Expects `image` to equal the PNG image at `path` (from the repository root, where the tests
/// run), pixel for pixel. With TAVIK_UPDATE_GOLDEN=1 in the environment it writes the image
/// there instead, after a deliberate change of a look; look at every new image before
/// committing it.
inline void ExpectGoldenImage(const std::string& path, const platform::Image& image) {
    SCOPED_TRACE(path);
    if (const char* update = std::getenv("TAVIK_UPDATE_GOLDEN");
        update && std::string_view(update) == "1") {
        const std::vector<uint8_t> png = platform::EncodePng(image).Value();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        ASSERT_TRUE(out.flush()) << "cannot write " << path;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(file.empty()) << "missing " << path << "; run with TAVIK_UPDATE_GOLDEN=1";
    const platform::Image golden = platform::DecodePng(file).Value();
    ASSERT_EQ(image.width, golden.width);
    ASSERT_EQ(image.height, golden.height);
    EXPECT_TRUE(image == golden) << DifferingPixels(image, golden) << " pixels differ";
}

}  // namespace testsupport
