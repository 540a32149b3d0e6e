#pragma once

#include <memory>
#include <string>

#include "platform/ui/backend.h"

namespace platform {

/// How the program's windows name it to the desktop: `programName` on X11 (WM_CLASS, which
/// the desktop entry's StartupWMClass matches), `appId`, the desktop entry's own name, on
/// Wayland.
struct DesktopIdentity {
    std::string programName;
    std::string appId;
};

/// A display backend as the desktop's chooser (platform/display/desktop) knows it. Each backend's
/// folder defines its own in its init file, as `platform::desktop_drivers::<folder>`; the
/// chooser finds those that the build holds in a table that the build makes.
struct DesktopDriver {
    /// The backend's name, as TAVIK_BACKEND gives it: its folder's ("x11").
    const char* name;
    /// The environment variable that names the backend's display ("DISPLAY"): the chooser
    /// tries the backend only where it is set, unless TAVIK_BACKEND names it.
    const char* displayVariable;
    /// The environment variable in which a launcher hands the program its token for this
    /// start ("DESKTOP_STARTUP_ID").
    const char* tokenVariable;
    /// The desktop session the backend would open, as a name for what the program keeps once
    /// per session. Needs no connection.
    std::string (*sessionName)();
    /// Opens the display for the program that `identity` names, started by the launch
    /// `token` (empty for none). Throws std::runtime_error saying what failed.
    std::unique_ptr<Backend> (*open)(const DesktopIdentity& identity, const std::string& token);
};

/// The driver of the backend class `B`, which opens as `B(identity.*kName, token)` and names
/// its session with `B::SessionName()`.
template <typename B, std::string DesktopIdentity::*kName>
constexpr DesktopDriver DriverOf(const char* name, const char* displayVariable,
                                 const char* tokenVariable) {
    return {
        name, displayVariable, tokenVariable, B::SessionName,
        [](const DesktopIdentity& identity, const std::string& token) -> std::unique_ptr<Backend> {
            return std::make_unique<B>(identity.*kName, token);
        }};
}

}  // namespace platform
