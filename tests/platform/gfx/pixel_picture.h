#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/surface.h"

namespace platform::testing {

/// The surface as one string per row, each pixel the character its colour has in the legend,
/// '?' for any other colour; compared with EXPECT_EQ, a failure prints the whole picture.
inline std::vector<std::string> Picture(const Surface& surface,
                                        const std::map<Color, char>& legend) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < surface.Height(); ++y) {
        std::string row;
        for (int32_t x = 0; x < surface.Width(); ++x) {
            const auto it = legend.find(surface.Pixel(x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

/// The pixels whose colour differs from `background`, as (x, y) pairs.
inline std::set<std::pair<int32_t, int32_t>> Changed(const Surface& surface, Color background) {
    std::set<std::pair<int32_t, int32_t>> changed;
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            if (surface.Pixel(x, y) != background) changed.insert({x, y});
        }
    }
    return changed;
}

/// Whether every pixel of `window` equals the pixel of `whole` at (x + dx, y + dy): the same
/// drawing clipped by a smaller surface kept its pixels in place.
inline bool IsWindowOf(const Surface& window, const Surface& whole, int32_t dx, int32_t dy) {
    for (int32_t y = 0; y < window.Height(); ++y) {
        for (int32_t x = 0; x < window.Width(); ++x) {
            if (window.Pixel(x, y) != whole.Pixel(x + dx, y + dy)) return false;
        }
    }
    return true;
}

}  // namespace platform::testing
