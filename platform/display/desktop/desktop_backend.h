#pragma once

#include <memory>
#include <string>

#include "platform/display/desktop_driver.h"
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

/// Opens the user's display for the program, on one of the display backends this build holds
/// (desktop_drivers.h). TAVIK_BACKEND ("x11" or "wayland") chooses one; otherwise the first
/// whose display is named in the environment and answers: the Wayland compositor that
/// WAYLAND_DISPLAY names, else the X display that DISPLAY names. Takes every backend's launch
/// variable out of the environment, so that they belong to this start alone. Throws
/// std::runtime_error saying what failed when no display can be opened, or TAVIK_BACKEND names
/// no backend of this build.
DesktopBackend OpenDesktopBackend(const DesktopIdentity& identity);

}  // namespace platform
