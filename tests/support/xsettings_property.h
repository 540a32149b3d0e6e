#pragma once

// The bytes of the desktop's settings as a settings manager writes them, for the tests of their
// parser and of the X11 backend that follows them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/display/xsettings.h"

namespace testsupport {

/// The bytes of an _XSETTINGS_SETTINGS property of `count` settings, in either byte order.
class XSettingsProperty {
  public:
    XSettingsProperty(bool msbFirst, uint32_t count) : msbFirst_(msbFirst) {
        Number(msbFirst ? 1 : 0, 1);
        Number(0, 3);
        Number(7, 4);  // serial
        Number(count, 4);
    }
    XSettingsProperty& Integer(std::string_view name, int32_t value) {
        Head(0, name);
        Number(static_cast<uint32_t>(value), 4);
        return *this;
    }
    XSettingsProperty& String(std::string_view name, std::string_view value) {
        Head(1, name);
        Number(static_cast<uint32_t>(value.size()), 4);
        Text(value);
        return *this;
    }
    XSettingsProperty& Colour(std::string_view name, platform::XSettingColour c) {
        Head(2, name);
        for (const uint16_t channel : {c.red, c.green, c.blue, c.alpha})
            Number(channel, 2);
        return *this;
    }
    /// The bytes with those at `at` replaced by `patch`.
    std::vector<uint8_t> With(size_t at, std::vector<uint8_t> patch) const {
        std::vector<uint8_t> patched = bytes;
        std::copy(patch.begin(), patch.end(), patched.begin() + static_cast<ptrdiff_t>(at));
        return patched;
    }

    std::vector<uint8_t> bytes;

  private:
    void Head(uint8_t type, std::string_view name) {
        Number(type, 1);
        Number(0, 1);
        Number(static_cast<uint32_t>(name.size()), 2);
        Text(name);
        Number(3, 4);  // serial of the last change
    }
    void Text(std::string_view text) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize(bytes.size() + (4 - text.size() % 4) % 4, 0);
    }
    void Number(uint32_t value, size_t size) {
        for (size_t i = 0; i < size; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> 8 * (msbFirst_ ? size - 1 - i : i)));
    }
    bool msbFirst_;
};

}  // namespace testsupport
