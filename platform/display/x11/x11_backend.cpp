// The X11 backend's init: its drivers made on one connection to the display, and the backend
// as the desktop's chooser finds it.
#include "platform/display/x11/x11_backend.h"

#include <cstdlib>
#include <utility>

#include "platform/display/desktop_driver.h"

#include <X11/XKBlib.h>

namespace platform {

X11Backend::X11Backend(std::string programName, std::string startupId)
    : windows_(display_, std::move(programName), std::move(startupId)),
      screen_(display_),
      clipboard_(display_.X(), [this](unsigned long w) { return windows_.IsOurs(w); }),
      input_(display_, windows_, clipboard_),
      events_(input_) {
    // A held key then repeats its press alone, without a release before each repeat.
    XkbSetDetectableAutoRepeat(display_.X(), True, nullptr);
}

std::string X11Backend::SessionName() {
    const char* variable = std::getenv("DISPLAY");
    std::string name = variable ? variable : "";
    const size_t colon = name.rfind(':');
    if (colon == std::string::npos) return name;
    const size_t dot = name.find('.', colon);
    if (dot != std::string::npos) name.erase(dot);
    if (name.starts_with("unix:")) name.erase(0, 4);
    return name;
}

void X11Backend::DeliverPending() {
    XSync(display_.X(), False);
    events_.DeliverWaiting();
}

}  // namespace platform

namespace platform::desktop_drivers {

extern const DesktopDriver x11;
const DesktopDriver x11 =
    DriverOf<X11Backend, &DesktopIdentity::programName>("x11", "DISPLAY", "DESKTOP_STARTUP_ID");

}  // namespace platform::desktop_drivers
