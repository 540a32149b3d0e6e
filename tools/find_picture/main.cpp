// find-picture SCREEN.png PICTURE.png: prints "X Y", where PICTURE appears in SCREEN pixel for
// pixel, and exits 0; exits 1 when it appears nowhere, 2 when a file cannot be read.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/find_picture/picture_search.h"

namespace {

platform::Image ReadPng(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    return platform::ValueOrThrow(platform::DecodePng(bytes));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: find-picture SCREEN.png PICTURE.png\n");
        return 2;
    }
    try {
        const auto place = testing_support::FindPicture(ReadPng(argv[1]), ReadPng(argv[2]));
        if (!place) return 1;
        std::printf("%d %d\n", place->x, place->y);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "find-picture: %s\n", error.what());
        return 2;
    }
}
