#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "forms/property_bag.h"
#include "platform/objects/font_desc.h"

namespace forms {

/// Thrown when a stored setting cannot be converted to the type its reader asks for, or an
/// integer does not fit it.
class PropertyTypeError : public std::runtime_error {
    using runtime_error::runtime_error;
};

/// The control's stored settings: the property bag being loaded from or saved to, and the
/// notifications of settings that changed.
class StoredProperties {
  public:
    virtual ~StoredProperties() = default;

    /// The stored value of `key`, or `defaultValue` when the bag has none.
    virtual PropertyValue ReadProperty(std::string_view key, PropertyValue defaultValue) = 0;
    virtual void WriteProperty(std::string_view key, PropertyValue value) = 0;
    /// Tells the container that the setting stored under `key` changed.
    virtual void PropertyChanged(std::string_view key) = 0;

    /// ReadProperty converted to the type of the control's setting: 16-bit and 32-bit integers
    /// and Booleans convert into one another (a Boolean is -1 or 0, a nonzero integer is
    /// true); strings, fonts and pictures are read only as themselves. Throws
    /// PropertyTypeError naming the key when the value does not convert or does not fit.
    /// The type is named at the call: Read<int32_t>("BTYPE", 2).
    template <class T>
    T Read(std::string_view key, std::type_identity_t<T> defaultValue);
};

/// `value` as a T by the rules of StoredProperties::Read; T is one of int16_t, int32_t, bool,
/// std::string, platform::FontDesc and PicturePtr.
template <class T>
T ConvertProperty(std::string_view key, const PropertyValue& value);
template <>
int16_t ConvertProperty<int16_t>(std::string_view key, const PropertyValue& value);
template <>
int32_t ConvertProperty<int32_t>(std::string_view key, const PropertyValue& value);
template <>
bool ConvertProperty<bool>(std::string_view key, const PropertyValue& value);
template <>
std::string ConvertProperty<std::string>(std::string_view key, const PropertyValue& value);
template <>
platform::FontDesc ConvertProperty<platform::FontDesc>(std::string_view key,
                                                       const PropertyValue& value);
template <>
PicturePtr ConvertProperty<PicturePtr>(std::string_view key, const PropertyValue& value);

template <class T>
T StoredProperties::Read(std::string_view key, std::type_identity_t<T> defaultValue) {
    return ConvertProperty<T>(key, ReadProperty(key, PropertyValue(std::move(defaultValue))));
}

}  // namespace forms
