#include "platform/display/desktop_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <variant>

namespace platform {
namespace {

constexpr double kBaseDpi = 96;
// The settings manager's Xft/DPI counts 1024ths of a dpi.
constexpr double kDpiUnits = 1024;

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The value of the resource `name` ("name:\tvalue" on a line of its own), or nothing.
std::string_view ResourceValue(std::string_view resources, std::string_view name) {
    while (!resources.empty()) {
        const size_t end = resources.find('\n');
        const std::string_view line = Trimmed(resources.substr(0, end));
        resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos && Trimmed(line.substr(0, colon)) == name)
            return Trimmed(line.substr(colon + 1));
    }
    return {};
}

// The setting `name` when it is a positive integer, else nothing.
std::optional<int32_t> PositiveInteger(const XSettings& settings, const char* name) {
    const auto it = settings.find(name);
    const int32_t* value = it == settings.end() ? nullptr : std::get_if<int32_t>(&it->second);
    if (!value || *value <= 0) return std::nullopt;
    return *value;
}

std::optional<DeviceScale> ForcedScale(std::string_view gdkScale) {
    int32_t forced = 0;
    const auto [end, error] =
        std::from_chars(gdkScale.data(), gdkScale.data() + gdkScale.size(), forced);
    if (error != std::errc() || end != gdkScale.data() + gdkScale.size() || forced < 1 ||
        forced > kMaxScale) {
        return std::nullopt;
    }
    return DeviceScale::Whole(forced);
}

std::optional<DeviceScale> SettingsScale(const XSettings& settings) {
    if (const auto dpi = PositiveInteger(settings, "Xft/DPI"))
        return DeviceScale::FromFactor(*dpi / kDpiUnits / kBaseDpi);
    if (const auto factor = PositiveInteger(settings, "Gdk/WindowScalingFactor"))
        return DeviceScale::Whole(*factor);
    return std::nullopt;
}

DeviceScale ResourceScale(std::string_view resources) {
    // from_chars, unlike strtod, reads "288.0" the same in every locale.
    const std::string_view dpiText = ResourceValue(resources, "Xft.dpi");
    double dpi = 0;
    const auto [dpiEnd, dpiError] =
        std::from_chars(dpiText.data(), dpiText.data() + dpiText.size(), dpi);
    if (dpiError != std::errc() || dpiEnd != dpiText.data() + dpiText.size() ||
        !std::isfinite(dpi)) {
        return {};
    }
    return DeviceScale::FromFactor(dpi / kBaseDpi);
}

}  // namespace

DeviceScale DesktopScale(std::string_view gdkScale, const XSettings& settings,
                         std::string_view resources) {
    if (const auto forced = ForcedScale(gdkScale)) return *forced;
    if (const auto scale = SettingsScale(settings)) return *scale;
    return ResourceScale(resources);
}

}  // namespace platform
