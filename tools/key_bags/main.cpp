// make-key-bags OUT: writes the stored settings of the calculator's keys to OUT.
#include <cstdio>
#include <fstream>

#include "tools/key_bags/key_bags.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-key-bags OUT\n");
        return 2;
    }
    const std::vector<uint8_t> bags = keybags::MakeKeyBags();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bags.data()),
              static_cast<std::streamsize>(bags.size()));
    if (!out) {
        std::fprintf(stderr, "make-key-bags: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
