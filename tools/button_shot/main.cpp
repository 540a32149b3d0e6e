// button-shot: renders one vbButton in one state to a PNG file, through a real host and the
// window system's input path on a headless display.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string_view>
#include <vector>

#include "platform/image/image.h"
#include "tools/button_shot/button_shot.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    button::ShotCommand command;
    try {
        command = button::ParseShotCommand(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "button-shot: %s\n%s", e.what(), button::kShotUsage);
        return 2;
    }
    try {
        const std::vector<uint8_t> png =
            platform::ValueOrThrow(platform::EncodePng(button::RenderShot(command.options)));
        std::ofstream out(command.outputPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "button-shot: cannot write %s\n", command.outputPath.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "button-shot: %s\n", e.what());
        return 1;
    }
    return 0;
}
