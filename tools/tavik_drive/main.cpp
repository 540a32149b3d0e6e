// tavik-drive: the calculator program on a headless display with a virtual clock, driven by a
// script on standard input, for end-to-end tests and for anyone scripting the calculator. With
// --scale S (from 1 to 4, 1.5 as well as 2) it shows every window at S times its size, as a
// high-density desktop does; script coordinates stay in the windows' own (logical) pixels, and
// `where` prints the places it finds at the scale, as the desktop shows them.
#include <charconv>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string_view>

#include "calculator/program.h"
#include "platform/display/desktop_scale.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"
#include "tools/tavik_drive/driver.h"

int main(int argc, char** argv) {
    calculator::ProgramOptions options;
    double scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const bool hasValue = i + 1 < argc && argv[i + 1][0] != '\0';
        if (argument == "--decimal-separator" && hasValue) {
            options.decimalSeparator = argv[++i];
            continue;
        }
        if (argument == "--scale" && hasValue) {
            const std::string_view value = argv[++i];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), scale);
            if (error == std::errc() && end == value.data() + value.size() && scale >= 1 &&
                scale <= platform::kMaxScale)
                continue;
        }
        std::fprintf(stderr, "usage: tavik-drive [--decimal-separator C] [--scale 1-%d] < script\n",
                     platform::kMaxScale);
        return 2;
    }
    try {
        // The screen grows with the scale, so that windows lie where they lie at 1x.
        const platform::DeviceScale deviceScale = platform::DeviceScale::FromFactor(scale);
        platform::HeadlessBackend backend({deviceScale.Edge(1024), deviceScale.Edge(768)},
                                          deviceScale);
        platform::WindowSystem system(backend);
        calculator::Program program(system, std::move(options));
        drive::Driver driver(backend, system, program, std::cin, std::cout, std::cerr);
        return driver.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavik-drive: %s\n", error.what());
        return 1;
    }
}
