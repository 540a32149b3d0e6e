// Tavik Calculator 2.0 on the desktop: the SDL display, the single-instance lock, the user's
// decimal separator, then the calculator until the user quits.
#include <malloc.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "calculator/decimal_separator.h"
#include "calculator/program.h"
#include "platform/os/single_instance.h"
#include "platform/ui/sdl/sdl_backend.h"
#include "platform/ui/window_system.h"

namespace {

/// A termination signal ends the program at once: there is nothing to save, and the quit
/// question belongs to the user's own close request. Opening the display gives the signals to
/// SDL, which would turn them into close requests; this gives them their default action back.
void EndOnTerminationSignals() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}

/// Only a real desktop display will do: without one, SDL would fall back to its offscreen
/// driver and the program would run unseen. A driver chosen by the user still wins.
void RequireARealDisplay() {
    setenv("SDL_VIDEODRIVER", "x11,wayland", 0);
}

}  // namespace

int main() {
    // Taken before the display is opened, so that a second copy ends without touching it.
    const platform::SingleInstanceLock lock("tavik-calculator");
    try {
        RequireARealDisplay();
        platform::SdlBackend backend;
        EndOnTerminationSignals();
        platform::WindowSystem system(backend);

        calculator::ProgramOptions options;
        options.decimalSeparator = calculator::DecimalSeparatorFromEnvironment();
        options.anotherInstanceRunning = [&lock] { return !lock.Acquired(); };
        calculator::Program program(system, std::move(options));
        program.Start();
        // The splash and the buffers of start-up are gone: give their heap pages back, which
        // keeps what the idle calculator holds about half a megabyte smaller.
        malloc_trim(0);
        if (!program.Ended()) system.Run();
        return program.ExitStatus();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavik-calculator: %s\n", error.what());
        return 1;
    }
}
