// style-gallery: writes one PNG sheet of every vbButton look, state and colour scheme, or with
// --look N the sheet of look N alone.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image/image.h"
#include "tools/style_gallery/style_gallery.h"

namespace {

constexpr const char* kUsage = "usage: style-gallery [--look N] OUT.png\n";

}  // namespace

int main(int argc, char** argv) {
    const bool oneLook = argc == 4 && std::string_view(argv[1]) == "--look";
    if (argc != 2 && !oneLook) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const char* outPath = argv[argc - 1];
    try {
        const platform::Image sheet =
            oneLook ? button::RenderLookSheet(std::stoi(argv[2])) : button::RenderGallery();
        const std::vector<uint8_t> png = platform::ValueOrThrow(platform::EncodePng(sheet));
        std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "style-gallery: cannot write %s\n", outPath);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "style-gallery: %s\n", e.what());
        return 1;
    }
    return 0;
}
