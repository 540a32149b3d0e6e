#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/display/desktop_appearance.h"
#include "platform/display/xsettings.h"
#include "platform/gfx/device_scale.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/Xlib.h>

namespace platform {

/// The desktop's settings that decide the scale (DesktopScale) and the appearance
/// (DesktopAppearance) on an X display, followed as they change: GDK_SCALE; the settings of the XSETTINGS manager, the owner of the selection
/// _XSETTINGS_S<screen> (xsettingsd, gsd-xsettings), which writes them to the property
/// _XSETTINGS_SETTINGS of its window; and the Xft.dpi resource that xrdb writes to the root
/// window.
///
/// The manager and xrdb are other programs: a property larger than kMaxSettingsBytes, or one
/// that is not a settings property, is ignored and the settings read before it stay. A manager
/// that goes away leaves the resource to decide, until the next one announces itself.
class X11DesktopSettings {
  public:
    /// The most bytes read of a settings or resources property.
    static constexpr long kMaxSettingsBytes = 1 << 20;

    /// Reads the settings of the default screen of `display` (whose errors must not end the
    /// program: the manager's window may be gone by the time it is asked about), and from then
    /// on has the display report their changes to the root window and the manager's window.
    explicit X11DesktopSettings(Display* display);
    X11DesktopSettings(const X11DesktopSettings&) = delete;
    X11DesktopSettings& operator=(const X11DesktopSettings&) = delete;

    /// The scale the settings ask for now.
    DeviceScale Scale() const { return scale_; }
    /// The appearance the settings manager's theme and animations ask for now; none without a
    /// manager or when it says nothing of them.
    std::optional<Appearance> DesktopAppearance() const {
        return platform::DesktopAppearance(settings_);
    }
    /// Takes in what `event` reports when it is about the settings: a manager announced, the
    /// manager's settings written, its window destroyed, the resources written. Whether it was.
    bool Follow(const XEvent& event);

  private:
    /// Finds the screen's settings manager, hears from now on of its settings and its end, and
    /// reads its settings; without one there are none.
    void FindManager();
    void ReadSettings();
    /// The bytes of property `name` of window `w`: none when it has none; nothing when it is
    /// larger than kMaxSettingsBytes, not of type `type` and format 8, or the window is gone.
    std::optional<std::vector<uint8_t>> Read(::Window w, Atom name, Atom type) const;

    Display* x_;
    ::Window root_;
    Atom selection_;
    Atom settingsProperty_;
    Atom managerMessage_;
    ::Window manager_ = 0;
    std::string gdkScale_;
    XSettings settings_;
    std::string resources_;
    DeviceScale scale_;
};

}  // namespace platform
