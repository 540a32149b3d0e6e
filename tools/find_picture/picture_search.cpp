#include "tools/find_picture/picture_search.h"

#include <cstddef>

namespace testing_support {
namespace {

constexpr uint32_t kColour = 0x00FFFFFF;

bool RowMatches(const platform::Image& screen, int32_t x, int32_t y, const platform::Image& picture,
                int32_t row) {
    const uint32_t* on = screen.pixels.data() + static_cast<size_t>(y) * screen.width + x;
    const uint32_t* wanted = picture.pixels.data() + static_cast<size_t>(row) * picture.width;
    for (int32_t i = 0; i < picture.width; ++i)
        if (((on[i] ^ wanted[i]) & kColour) != 0) return false;
    return true;
}

}  // namespace

std::optional<platform::Point> FindPicture(const platform::Image& screen,
                                           const platform::Image& picture) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > screen.width ||
        picture.height > screen.height) {
        return std::nullopt;
    }
    for (int32_t y = 0; y + picture.height <= screen.height; ++y) {
        for (int32_t x = 0; x + picture.width <= screen.width; ++x) {
            bool all = true;
            for (int32_t row = 0; row < picture.height && all; ++row)
                all = RowMatches(screen, x, y + row, picture, row);
            if (all) return platform::Point{x, y};
        }
    }
    return std::nullopt;
}

}  // namespace testing_support
