#pragma once

#include <memory>
#include <string>

#include "platform/ui/backend.h"

namespace platform {

/// The display backend the program runs on, the name of its desktop session (what the program
/// keeps once per session) and the launch that started it.
struct DesktopBackend {
    std::unique_ptr<Backend> backend;
    std::string sessionName;
    /// The launcher's token for this start on the chosen display (DESKTOP_STARTUP_ID on X11,
    /// XDG_ACTIVATION_TOKEN on Wayland); empty when it gave none or one that is no such token.
    std::string startupToken;
};

/// How the program's windows name it to the desktop: `programName` on X11 (WM_CLASS, which
/// the desktop entry's StartupWMClass matches), `appId`, the desktop entry's own name, on
/// Wayland.
struct DesktopIdentity {
    std::string programName;
    std::string appId;
};

/// Opens the user's display for the program. TAVIK_BACKEND ("x11" or "wayland") chooses one;
/// otherwise the Wayland compositor that WAYLAND_DISPLAY names, when it answers, and the X
/// display that DISPLAY names when not. Takes both launch variables out of the environment,
/// so that they belong to this start alone. Throws std::runtime_error saying what failed when
/// no display can be opened, or TAVIK_BACKEND names neither.
DesktopBackend OpenDesktopBackend(const DesktopIdentity& identity);

}  // namespace platform
