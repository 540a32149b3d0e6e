// style-gallery: writes one PNG sheet of every vbButton look, state and colour scheme.
#include <cstdio>
#include <exception>
#include <fstream>
#include <vector>

#include "platform/image/image.h"
#include "tools/style_gallery/style_gallery.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: style-gallery OUT.png\n");
        return 2;
    }
    try {
        const std::vector<uint8_t> png =
            platform::ValueOrThrow(platform::EncodePng(button::RenderGallery()));
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "style-gallery: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "style-gallery: %s\n", e.what());
        return 1;
    }
    return 0;
}
