#include "platform/ui/desktop/desktop_backend.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "platform/ui/wayland/wayland_backend.h"
#include "platform/ui/x11/x11_backend.h"

namespace platform {
namespace {

/// Launchers' tokens are short printable ASCII; anything else is no token of theirs.
constexpr size_t kMaxStartupTokenLength = 512;

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Token(const char* name) {
    const std::string_view token = Variable(name);
    const bool valid =
        token.size() <= kMaxStartupTokenLength &&
        std::all_of(token.begin(), token.end(), [](char c) { return c >= ' ' && c <= '~'; });
    return valid ? std::string(token) : std::string();
}

DesktopBackend OpenX11(const DesktopIdentity& identity, std::string startupId) {
    return {std::make_unique<X11Backend>(identity.programName, startupId),
            X11Backend::SessionName(), startupId};
}

DesktopBackend OpenWayland(const DesktopIdentity& identity, std::string activationToken) {
    return {std::make_unique<WaylandBackend>(identity.appId, activationToken),
            WaylandBackend::SessionName(), activationToken};
}

DesktopBackend Open(const DesktopIdentity& identity, const std::string& startupId,
                    const std::string& activationToken) {
    const std::string_view forced = Variable("TAVIK_BACKEND");
    if (forced == "x11") return OpenX11(identity, startupId);
    if (forced == "wayland") return OpenWayland(identity, activationToken);
    if (!forced.empty())
        throw std::runtime_error("TAVIK_BACKEND is \"" + std::string(forced) +
                                 "\": it must be \"x11\" or \"wayland\"");
    if (!Variable("WAYLAND_DISPLAY").empty()) {
        try {
            return OpenWayland(identity, activationToken);
        } catch (const std::runtime_error& wayland) {
            if (Variable("DISPLAY").empty()) throw;
        }
    }
    if (Variable("DISPLAY").empty())
        throw std::runtime_error(
            "no display to show the calculator on: neither WAYLAND_DISPLAY "
            "nor DISPLAY names one");
    return OpenX11(identity, startupId);
}

}  // namespace

DesktopBackend OpenDesktopBackend(const DesktopIdentity& identity) {
    const std::string startupId = Token("DESKTOP_STARTUP_ID");
    const std::string activationToken = Token("XDG_ACTIVATION_TOKEN");
    unsetenv("DESKTOP_STARTUP_ID");
    unsetenv("XDG_ACTIVATION_TOKEN");
    return Open(identity, startupId, activationToken);
}

}  // namespace platform
