// Tavik Calculator 2.0 on the desktop: the display (Wayland or X11), the single-instance channel,
// the user's decimal separator, then the calculator until the user quits. A termination signal
// keeps its default action and ends the program at once: there is nothing to save, and the quit
// question belongs to the user's own close request.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "calculator/decimal_separator.h"
#include "calculator/main_window.h"
#include "calculator/program.h"
#include "forms/message_box.h"
#include "platform/accessibility/atspi/atspi_bridge.h"
#include "platform/bus/portal_appearance.h"
#include "platform/display/desktop/desktop_backend.h"
#include "platform/image/jpeg_library.h"
#include "platform/os/instance_channel.h"
#include "platform/ui/window_system.h"
#include "platform/version.h"

namespace {

/// The program's name: of its single-instance channel, and of its windows on X11.
constexpr const char* kProgramName = "tavik-calculator";
/// The name of the program's desktop entry and software-centre data, which its windows carry
/// on Wayland.
constexpr const char* kAppId = "example.tavik.calculator";

constexpr const char* kUsage =
    "Usage: tavik-calculator [--help | --version]\n"
    "A calculator for the desktop. Started without arguments, it opens on the Wayland\n"
    "compositor or the X display of the session (TAVIK_BACKEND=wayland or x11 chooses).\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

/// Answers --help or --version, whichever comes first, and gives the exit status; nothing for
/// any other command line, whose arguments are ignored (a launcher may pass some).
std::optional<int> AnswerCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("Tavik Calculator %.*s\n", static_cast<int>(platform::kVersion.size()),
                        platform::kVersion.data());
            return 0;
        }
    }
    return std::nullopt;
}

/// What a copy started beside one that does not answer tells the user before it ends.
constexpr const char* kNoAnswerMessage =
    "Another copy of the calculator is running on this display but does not answer.\n"
    "Close it, or end it, then start the calculator again.";

}  // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = AnswerCommandLine(argc, argv)) return *status;
    try {
        platform::DesktopBackend desktop = platform::OpenDesktopBackend({kProgramName, kAppId});
        // One copy per user and desktop session; a second copy hands its startup token to the
        // first, which shows its window, and ends before it shows anything.
        platform::InstanceChannel channel(kProgramName, desktop.sessionName, desktop.startupToken);
        platform::WindowSystem system(*desktop.backend);
        if (channel.Role() == platform::InstanceRole::NoAnswer) {
            std::fprintf(stderr,
                         "tavik-calculator: another copy of the calculator runs on this display "
                         "but does not answer\n");
            // Started from the desktop's menu, the user has no terminal to read that in.
            forms::ShowMessageBox(system, nullptr, calculator::main::kCaption, kNoAnswerMessage,
                                  forms::MessageBoxButtons::Ok, forms::MessageBoxIcon::Exclamation);
            return 1;
        }
        // The desktop's appearance as its settings portal says it, asked without waiting: the
        // answer comes while the splash is up, and changes are followed from then on.
        const std::unique_ptr<platform::bus::PortalAppearance> portal =
            platform::bus::PortalAppearance::Open(
                desktop.backend->Events(), [&system](std::optional<platform::Appearance> told) {
                    system.SetDesktopAppearance(platform::AppearanceSource::Portal, told);
                });

        // The splash and the calculator each decode a JPEG picture as they open: libjpeg stays
        // loaded from the first to the second instead of being loaded twice, and goes after.
        std::optional jpegDuringStartUp = platform::LoadJpegLibrary();
        calculator::ProgramOptions options;
        options.decimalSeparator = calculator::DecimalSeparatorFromEnvironment();
        options.anotherInstanceRunning = [&channel] {
            return channel.Role() == platform::InstanceRole::HandedOver;
        };
        calculator::Program program(system, std::move(options));
        // Screen readers find the windows while the desktop asks for accessibility; nothing of
        // it waits before the first picture.
        platform::atspi::AtspiBridge accessibility(system, kProgramName);
        if (channel.Role() == platform::InstanceRole::First) {
            desktop.backend->Events().WatchDescriptor(channel.Descriptor(), [&channel, &program] {
                for (const std::string& token : channel.TakeRequests())
                    program.MainWindow().ShowAgain(token);
            });
        }
        program.Start();
        jpegDuringStartUp.reset();
        // Once the calculator's first picture is on the display, the splash and the buffers of
        // start-up are gone: give their heap pages back, which keeps what the idle calculator
        // holds about half a megabyte smaller.
        system.PostWhenShown([] { malloc_trim(0); });
        if (!program.Ended()) system.Run();
        // A display that went away ends the program with a message; a confirmed quit, another
        // copy running and a window closed by another program end it normally.
        if (const std::string& lost = system.DisplayLostMessage(); !lost.empty()) {
            std::fprintf(stderr, "tavik-calculator: %s\n", lost.c_str());
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tavik-calculator: %s\n", error.what());
        return 1;
    }
}
