#pragma once

#include <span>
#include <string_view>

#include "platform/display/desktop_driver.h"

namespace platform {

/// The display backends this build holds, in the order the chooser tries them, and the names of
/// those it leaves out (their CMake option off). The build makes both lists from the one in
/// platform/display/desktop/CMakeLists.txt.
std::span<const DesktopDriver* const> BuiltDesktopDrivers();
std::span<const std::string_view> LeftOutDesktopDrivers();

}  // namespace platform
