#include "platform/display/desktop_appearance.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <variant>

namespace platform {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace

std::optional<Appearance> DesktopAppearance(const XSettings& settings) {
    const auto theme = settings.find("Net/ThemeName");
    const auto animations = settings.find("Gtk/EnableAnimations");
    if (theme == settings.end() && animations == settings.end()) return std::nullopt;
    Appearance appearance;
    if (theme != settings.end()) {
        if (const auto* name = std::get_if<std::string>(&theme->second)) {
            if (*name == "HighContrast") {
                appearance = {.colors = ColorPreference::Light, .highContrast = true};
            } else if (*name == "HighContrastInverse") {
                appearance = {.colors = ColorPreference::Dark, .highContrast = true};
            } else if (EndsWithIgnoringCase(*name, "-dark")) {
                appearance.colors = ColorPreference::Dark;
            }
        }
    }
    if (animations != settings.end()) {
        const auto* enabled = std::get_if<int32_t>(&animations->second);
        appearance.reducedMotion = enabled && *enabled == 0;
    }
    return appearance;
}

}  // namespace platform
