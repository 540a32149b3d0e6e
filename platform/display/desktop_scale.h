#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gfx/device_scale.h"

namespace platform {

/// The largest whole factor the program's windows are shown at.
constexpr int32_t kMaxScale = 4;

/// The scale the desktop asks windows to be shown at, from its settings on X11: `gdkScale`
/// (the GDK_SCALE variable) when it is a whole number from 1 to kMaxScale, which forces that
/// whole scale; otherwise the Xft.dpi setting among `resources` (the X resources as xrdb sets
/// them, one "name:\tvalue" a line) divided by 96, unrounded, held from 1 to kMaxScale (120 dpi
/// gives 1.25, 144 gives 1.5, 192 gives 2); 1 without either.
DeviceScale DesktopScale(std::string_view gdkScale, std::string_view resources);

}  // namespace platform
