#pragma once

// The bytes of an _XSETTINGS_SETTINGS property as a settings manager writes them, for the tests
// of their parser and of the X11 backend that follows them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace testsupport {

/// The property holding `settings` in their order, in either byte order. Their values are
/// variants of an integer, a std::string and a colour of red, green, blue and alpha, in the
/// order of the types' numbers (as platform::XSettingValue).
template <typename Value>
std::vector<uint8_t> XSettingsBytes(bool msbFirst,
                                    const std::vector<std::pair<std::string, Value>>& settings) {
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
        number(value.index(), 1);
        number(0, 1);
        text(name, 2);
        number(3, 4);  // serial of the last change
        std::visit(
            [&](const auto& v) {
                using Type = std::decay_t<decltype(v)>;
                if constexpr (std::is_integral_v<Type>) {
                    number(static_cast<uint32_t>(v), 4);
                } else if constexpr (std::is_same_v<Type, std::string>) {
                    text(v, 4);
                } else {
                    for (const uint16_t channel : {v.red, v.green, v.blue, v.alpha})
                        number(channel, 2);
                }
            },
            value);
    }
    return bytes;
}

}  // namespace testsupport
