// Tavik Calculator 2.0 on the desktop: the display (Wayland or X11), the single-instance channel,
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
#include "platform/os/instance_channel.h"
#include "platform/ui/desktop/desktop_backend.h"
#include "platform/ui/window_system.h"

namespace {

/// The program's name: of its single-instance channel, and of its windows for the desktop,
/// which finds its desktop entry by it.
constexpr const char* kProgramName = "tavik-calculator";

/// The token the launcher gave this start for bringing a window forward: an X11 startup id or
/// a Wayland activation token; empty when there is none.
std::string StartupToken() {
    for (const char* variable : {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"}) {
        if (const char* token = std::getenv(variable)) return token;
    }
    return {};
}

}  // namespace

int main() {
    try {
        platform::DesktopBackend desktop = platform::OpenDesktopBackend(kProgramName);
        // One copy per user and desktop session; a second copy hands its startup token to the
        // first and ends before it shows anything.
        const platform::InstanceChannel channel(kProgramName, desktop.sessionName, StartupToken());
        if (channel.Role() == platform::InstanceRole::NoAnswer) {
            std::fprintf(stderr,
                         "tavik-calculator: another copy of the calculator runs on this display "
                         "but does not answer\n");
            return 1;
        }
        platform::WindowSystem system(*desktop.backend);

        calculator::ProgramOptions options;
        options.decimalSeparator = calculator::DecimalSeparatorFromEnvironment();
        options.anotherInstanceRunning = [&channel] {
            return channel.Role() == platform::InstanceRole::HandedOver;
        };
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
