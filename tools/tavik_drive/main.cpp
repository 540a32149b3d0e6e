// tavik-drive: the calculator program on a headless display with a virtual clock, driven by a
// script on standard input, for end-to-end tests and for anyone scripting the calculator.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string_view>

#include "calculator/program.h"
#include "platform/ui/headless/headless_backend.h"
#include "platform/ui/window_system.h"
#include "tools/tavik_drive/driver.h"

int main(int argc, char** argv) {
    calculator::ProgramOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--decimal-separator" && i + 1 < argc && argv[i + 1][0] != '\0') {
            options.decimalSeparator = argv[++i];
            continue;
        }
        std::fprintf(stderr, "usage: tavik-drive [--decimal-separator C] < script\n");
        return 2;
    }
    try {
        platform::HeadlessBackend backend;
        platform::WindowSystem system(backend);
        calculator::Program program(system, std::move(options));
        drive::Driver driver(backend, system, program, std::cin, std::cout, std::cerr);
        return driver.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavik-drive: %s\n", error.what());
        return 1;
    }
}
