#pragma once

#include <optional>

#include "platform/display/x11/x11_display.h"
#include "platform/gfx/geometry.h"
#include "platform/ui/backend.h"

// Xlib's headers come after ours.
#include <X11/Xlib.h>

namespace platform {

/// Where windows may go on the X screen of `root`, in device pixels: the RandR monitor that
/// holds `near`, or without it the one that holds the pointer, else the primary monitor (the
/// whole screen when RandR names none), less the desktop's panels as far as the window
/// manager's _NET_WORKAREA for the current desktop says. A monitor that the work area misses
/// entirely is taken whole.
Rect MonitorWorkArea(Display* display, ::Window root, std::optional<Point> near);

/// The X screen as the X11 backend's drivers show it: its monitors' work areas
/// (MonitorWorkArea), the display's scale and its bell.
class X11Screen final : public DisplayScreen {
  public:
    explicit X11Screen(const X11Display& display) : display_(display) {}

    Rect WorkArea(std::optional<Point> near) const override;
    DeviceScale Scale() const override { return display_.Scale(); }
    std::optional<Appearance> DesktopAppearance() const override {
        return display_.DesktopAppearance();
    }
    /// XBell at the volume the user set.
    void Bell() override { XBell(display_.X(), 0); }

  private:
    const X11Display& display_;
};

}  // namespace platform
