#pragma once

// The tests' pictures of pixels: a surface, a region or an image read back as text, as sets of
// places or as counts, for comparing with what a test expects.

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/image/image.h"

namespace testsupport {

/// Places of pixels, as (x, y) pairs.
using PixelPlaces = std::set<std::pair<int32_t, int32_t>>;

/// The grey with every channel at `level`.
constexpr platform::Color Grey(int32_t level) {
    return static_cast<platform::Color>(level) * 0x010101u;
}

/// The surface as one string per row, each pixel the character its colour has in the legend,
/// '?' for any other colour; compared with EXPECT_EQ, a failure prints the whole picture.
inline std::vector<std::string> Picture(const platform::Surface& surface,
                                        const std::map<platform::Color, char>& legend) {
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

/// The pixels of (0, 0, width, height) as one string per row: '#' inside the region, '.'
/// outside it.
inline std::vector<std::string> Picture(const platform::Region& region, int32_t width,
                                        int32_t height) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < height; ++y) {
        std::string row;
        for (int32_t x = 0; x < width; ++x)
            row += region.Contains({x, y}) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

/// The places of the pixels whose colour is `colour`.
inline PixelPlaces PixelsOf(const platform::Surface& surface, platform::Color colour) {
    PixelPlaces places;
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            if (surface.Pixel(x, y) == colour) places.insert({x, y});
        }
    }
    return places;
}

/// The places of the pixels whose colour differs from `background`.
inline PixelPlaces Changed(const platform::Surface& surface, platform::Color background) {
    PixelPlaces places;
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            if (surface.Pixel(x, y) != background) places.insert({x, y});
        }
    }
    return places;
}

/// How many pixels of the surface are `colour`.
inline size_t CountOf(const platform::Surface& surface, platform::Color colour) {
    size_t count = 0;
    for (const platform::Color c : surface.Pixels())
        count += c == colour ? 1 : 0;
    return count;
}

/// Whether every pixel of `window` equals the pixel of `whole` at (x + dx, y + dy): the same
/// drawing clipped by a smaller surface kept its pixels in place.
inline bool IsWindowOf(const platform::Surface& window, const platform::Surface& whole, int32_t dx,
                       int32_t dy) {
    for (int32_t y = 0; y < window.Height(); ++y) {
        for (int32_t x = 0; x < window.Width(); ++x) {
            if (window.Pixel(x, y) != whole.Pixel(x + dx, y + dy)) return false;
        }
    }
    return true;
}

/// The pixel of `image` in column x of row y.
inline uint32_t PixelAt(const platform::Image& image, int32_t x, int32_t y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

/// How many pixels differ between two images of one size.
inline size_t DifferingPixels(const platform::Image& a, const platform::Image& b) {
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        differing += a.pixels[i] != b.pixels[i] ? 1 : 0;
    return differing;
}

}  // namespace testsupport
