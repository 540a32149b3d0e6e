// make-artwork RESOURCES_DIR: writes every artwork file into the resources folder.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/artwork/artwork_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-artwork RESOURCES_DIR\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    for (const artwork::ArtworkFile& file : artwork::MakeArtworkFiles()) {
        const std::filesystem::path path = folder / file.path;
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make-artwork: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
