// The Wayland backend's init: its drivers made on one connection to the compositor, and the
// backend as the desktop's chooser finds it.
#include "platform/display/wayland/wayland_backend.h"

#include <cstdlib>
#include <utility>

#include "platform/display/desktop_driver.h"

namespace platform {

WaylandBackend::WaylandBackend(std::string appId, std::string activationToken)
    : globals_(std::move(appId)),
      windows_(
          globals_, std::move(activationToken),
          [this](NativeWindowId id) { seat_.CloseRequest(id); },
          [this](NativeWindowId id, DeviceScale scale) { seat_.ScaleRequest(id, scale); },
          [this](NativeWindowId id) { seat_.Forget(id); }),
      screen_(globals_),
      seat_(globals_, windows_),
      events_(seat_),
      clipboard_(globals_.Display(), events_, globals_.DataDevices(), globals_.PrimarySelections(),
                 globals_.Context().seat, [this] { return seat_.InputSerial(); }) {
    globals_.WatchOutputs([this] { windows_.FollowOutputs(); });
}

std::string WaylandBackend::SessionName() {
    const std::string name = WaylandGlobals::DisplayName();
    if (name.starts_with('/')) return name;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return std::string(runtime ? runtime : "") + "/" + name;
}

void WaylandBackend::Roundtrip() {
    globals_.Roundtrip();
    windows_.ShowPendingPictures();
}

}  // namespace platform

namespace platform::desktop_drivers {

extern const DesktopDriver wayland;
const DesktopDriver wayland = DriverOf<WaylandBackend, &DesktopIdentity::appId>(
    "wayland", "WAYLAND_DISPLAY", "XDG_ACTIVATION_TOKEN");

}  // namespace platform::desktop_drivers
