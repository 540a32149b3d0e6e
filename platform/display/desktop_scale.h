#pragma once

#include <cstdint>
#include <string_view>

#include "platform/display/xsettings.h"
#include "platform/gfx/device_scale.h"

namespace platform {

/// The largest whole factor the program's windows are shown at.
constexpr int32_t kMaxScale = DeviceScale::kMax / DeviceScale::kUnit;

/// The scale the desktop asks windows to be shown at, from its settings on X11, the first of:
/// - `gdkScale` (the GDK_SCALE variable) when it is a whole number from 1 to kMaxScale, which
///   forces that whole scale;
/// - among the settings manager's `settings` (none without a manager), Xft/DPI, a dpi in
///   1024ths, divided by 96, unrounded (147456 gives 1.5, 196608 gives 2); else
///   Gdk/WindowScalingFactor, a whole scale. GNOME's Xft/DPI already holds the factor, so with
///   both given Xft/DPI decides. A setting that is no positive integer counts as not given;
/// - the Xft.dpi setting among `resources` (the X resources as xrdb sets them, one
///   "name:\tvalue" a line) divided by 96, unrounded (120 dpi gives 1.25, 144 gives 1.5);
/// held from 1 to kMaxScale; 1 without any.
DeviceScale DesktopScale(std::string_view gdkScale, const XSettings& settings,
                         std::string_view resources);


}  // namespace platform
