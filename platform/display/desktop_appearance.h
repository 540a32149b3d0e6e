#pragma once

#include <optional>

#include "platform/display/xsettings.h"
#include "platform/objects/appearance.h"

namespace platform {

/// The appearance the settings manager's `settings` ask for, from its theme and animations:
/// Net/ThemeName "HighContrast" is high contrast in light colours, "HighContrastInverse" high
/// contrast in dark ones, a name ending in "-dark" (any letter case) dark colours;
/// Gtk/EnableAnimations 0 is reduced motion. None when neither setting is given (no manager,
/// or one that says nothing of them).
std::optional<Appearance> DesktopAppearance(const XSettings& settings);

}  // namespace platform
