// Tavik Calculator 2.0 on the desktop: the display (Wayland or X11), the single-instance lock,
// the user's decimal separator, then the calculator until the user quits. A termination signal
// keeps its default action and ends the program at once: there is nothing to save, and the quit
// question belongs to the user's own close request.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <utility>

#include "calculator/decimal_separator.h"
#include "calculator/program.h"
#include "platform/os/single_instance.h"
#include "platform/ui/desktop/desktop_backend.h"
#include "platform/ui/window_system.h"

namespace {

/// The program's name: of its single-instance lock, and of its windows for the desktop, which
/// finds its desktop entry by it.
constexpr const char* kProgramName = "tavik-calculator";

}  // namespace

int main() {
    try {
        platform::DesktopBackend desktop = platform::OpenDesktopBackend(kProgramName);
        // One copy per user and desktop session; a second copy ends before it shows anything.
        const platform::SingleInstanceLock lock(std::string(kProgramName) + "@" +
                                                desktop.sessionName);
        platform::WindowSystem system(*desktop.backend);

        calculator::ProgramOptions options;
        options.decimalSeparator = calculator::DecimalSeparatorFromEnvironment();
        options.anotherInstanceRunning = [&lock] { return !lock.Acquired(); };
        calculator::Program program(system, std::move(options));
        program.Start();
        // The splash and the buffers of start-up are gone: give their heap pages back, which
        // keeps what the idle calculator holds about half a megabyte smaller.
        malloc_trim(0);
        if (!program.Ended()) system.Run();
        // A confirmed quit, another copy running and a window closed by another program all
        // end the program normally.
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavik-calculator: %s\n", error.what());
        return 1;
    }
}
