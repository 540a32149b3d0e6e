#pragma once

#include <memory>
#include <string>

#include "platform/ui/backend.h"

namespace platform {

/// The display backend the program runs on, and the name of its desktop session (what the
/// program keeps once per session).
struct DesktopBackend {
    std::unique_ptr<Backend> backend;
    std::string sessionName;
};

/// Opens the user's display for the program called `programName`. TAVIK_BACKEND ("x11" or
/// "wayland") chooses one; otherwise the Wayland compositor that WAYLAND_DISPLAY names, when
/// it answers, and the X display that DISPLAY names when not. Throws std::runtime_error saying
/// what failed when no display can be opened, or TAVIK_BACKEND names neither.
DesktopBackend OpenDesktopBackend(const std::string& programName);

}  // namespace platform
