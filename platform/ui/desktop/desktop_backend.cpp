#include "platform/ui/desktop/desktop_backend.h"

#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "platform/ui/wayland/wayland_backend.h"
#include "platform/ui/x11/x11_backend.h"

namespace platform {
namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

DesktopBackend OpenX11(const std::string& programName) {
    return {std::make_unique<X11Backend>(programName), X11Backend::SessionName()};
}

DesktopBackend OpenWayland(const std::string& programName) {
    return {std::make_unique<WaylandBackend>(programName), WaylandBackend::SessionName()};
}

}  // namespace

DesktopBackend OpenDesktopBackend(const std::string& programName) {
    const std::string_view forced = Variable("TAVIK_BACKEND");
    if (forced == "x11") return OpenX11(programName);
    if (forced == "wayland") return OpenWayland(programName);
    if (!forced.empty())
        throw std::runtime_error("TAVIK_BACKEND is \"" + std::string(forced) +
                                 "\": it must be \"x11\" or \"wayland\"");
    if (!Variable("WAYLAND_DISPLAY").empty()) {
        try {
            return OpenWayland(programName);
        } catch (const std::runtime_error& wayland) {
            if (Variable("DISPLAY").empty()) throw;
        }
    }
    if (Variable("DISPLAY").empty())
        throw std::runtime_error(
            "no display to show the calculator on: neither WAYLAND_DISPLAY "
            "nor DISPLAY names one");
    return OpenX11(programName);
}

}  // namespace platform
