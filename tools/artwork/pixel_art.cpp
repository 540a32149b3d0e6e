#include "tools/artwork/pixel_art.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace artwork {

platform::Image FromPixelArt(std::initializer_list<std::string_view> rows,
                             std::initializer_list<std::pair<char, uint32_t>> colours) {
    platform::Image image;
    image.height = static_cast<int32_t>(rows.size());
    for (std::string_view row : rows) {
        image.width = std::max(image.width, static_cast<int32_t>(row.size()));
    }
    image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0);
    size_t y = 0;
    for (std::string_view row : rows) {
        for (size_t x = 0; x < row.size(); ++x) {
            if (row[x] == '.') continue;
            const auto colour = std::find_if(colours.begin(), colours.end(),
                                             [&](const auto& c) { return c.first == row[x]; });
            if (colour == colours.end()) {
                throw std::invalid_argument(std::string("no colour for '") + row[x] + "'");
            }
            image.pixels[y * static_cast<size_t>(image.width) + x] = 0xFF000000 | colour->second;
        }
        ++y;
    }
    return image;
}

}  // namespace artwork
