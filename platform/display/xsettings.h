#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <variant>

namespace platform {

/// A colour among the desktop's settings, 16 bits a channel.
struct XSettingColour {
    uint16_t red = 0;
    uint16_t green = 0;
    uint16_t blue = 0;
    uint16_t alpha = 0;

    friend bool operator==(const XSettingColour&, const XSettingColour&) = default;
};

/// The value of one of the desktop's settings: an integer, a string or a colour.
using XSettingValue = std::variant<int32_t, std::string, XSettingColour>;

/// The desktop's settings as an XSETTINGS manager publishes them, by name ("Xft/DPI").
using XSettings = std::unordered_map<std::string, XSettingValue>;

/// The settings held by the bytes of an _XSETTINGS_SETTINGS property: a byte order (0 least
/// significant byte first, 1 most), 3 unused bytes, a 32-bit serial and the number of settings,
/// then each setting: its type (0 integer, 1 string, 2 colour), an unused byte, the 16-bit
/// length of its name, the name padded to a multiple of 4 bytes, the 32-bit serial of its last
/// change, and its value: a 32-bit integer; a 32-bit length and the string padded to a multiple
/// of 4 bytes; or 16-bit red, green, blue and alpha.
///
/// The property comes from another program: nothing when the bytes end inside a setting, a
/// name or a string, when they could not hold the number of settings they claim, or when they
/// name an unknown byte order or type or one name twice. Bytes after the last setting are
/// ignored. Time and memory grow linearly with the number of bytes.
std::optional<XSettings> ParseXSettings(std::span<const uint8_t> property);

}  // namespace platform
