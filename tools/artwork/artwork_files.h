#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

/// One generated file: its path relative to the resources folder, and its bytes.
struct ArtworkFile {
    std::string path;
    std::vector<uint8_t> bytes;
};

/// Every artwork file the program ships, made afresh: the window icon, the hand cursor, the
/// help pointer, the background and splash strip JPEGs, and the window icon as PNG files and an
/// SVG file in the freedesktop icon theme layout (icons/hicolor/NxN/apps/tavik-calculator.png,
/// icons/hicolor/scalable/apps/tavik-calculator.svg).
std::vector<ArtworkFile> MakeArtworkFiles();

}  // namespace artwork
