#pragma once

// The bytes of an _XSETTINGS_SETTINGS property as a settings manager writes them, for the tests
// of their parser and of the X11 backend that follows them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/display/xsettings.h"

namespace testsupport {

using XSettingsList = std::vector<std::pair<std::string, platform::XSettingValue>>;

/// The property holding `settings` in their order, in either byte order.
inline std::vector<uint8_t> XSettingsBytes(bool msbFirst, const XSettingsList& settings) {
    std::vector<uint8_t> bytes;
    const auto number = [&](size_t value, size_t size) {
        for (size_t i = 0; i < size; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> 8 * (msbFirst ? size - 1 - i : i)));
    };
    // The length in `lengthSize` bytes, then the text padded to a multiple of 4 bytes.
    const auto text = [&](std::string_view text, size_t lengthSize) {
        number(text.size(), lengthSize);
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize(bytes.size() + (4 - text.size() % 4) % 4, 0);
    };
    number(msbFirst ? 1 : 0, 1);
    number(0, 3);
    number(7, 4);  // serial
    number(settings.size(), 4);
    for (const auto& [name, value] : settings) {
        number(value.index(), 1);  // the variant's order is the types' order
        number(0, 1);
        text(name, 2);
        number(3, 4);  // serial of the last change
        if (const auto* integer = std::get_if<int32_t>(&value))
            number(static_cast<uint32_t>(*integer), 4);
        if (const auto* string = std::get_if<std::string>(&value)) text(*string, 4);
        if (const auto* c = std::get_if<platform::XSettingColour>(&value)) {
            for (const uint16_t channel : {c->red, c->green, c->blue, c->alpha})
                number(channel, 2);
        }
    }
    return bytes;
}

}  // namespace testsupport
