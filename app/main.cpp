// Tavik Calculator 2.0 on the desktop: the X display, the single-instance lock, the user's
// decimal separator, then the calculator until the user quits. A termination signal keeps its
// default action and ends the program at once: there is nothing to save, and the quit question
// belongs to the user's own close request.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <utility>

#include "calculator/decimal_separator.h"
#include "calculator/program.h"
#include "platform/os/single_instance.h"
#include "platform/ui/window_system.h"
#include "platform/ui/x11/x11_backend.h"

namespace {

/// The program's name: of its single-instance lock, and of its windows for the desktop, which
/// finds its desktop entry by it.
constexpr const char* kProgramName = "tavik-calculator";

}  // namespace

int main() {
    // One copy per user and desktop session. The lock is taken before the display is opened,
    // so that a second copy ends without touching it.
    const platform::SingleInstanceLock lock(std::string(kProgramName) + "@" +
                                            platform::X11Backend::SessionName());
    try {
        platform::X11Backend backend(kProgramName);
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
        // A confirmed quit, another copy running and a window closed by another program all
        // end the program normally.
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavik-calculator: %s\n", error.what());
        return 1;
    }
}
