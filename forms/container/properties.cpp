#include "forms/container/properties.h"

#include <limits>
#include <optional>

namespace forms {
namespace {

[[noreturn]] void Mismatch(std::string_view key, std::string_view wanted) {
    throw PropertyTypeError("setting \"" + std::string(key) + "\" cannot be read as " +
                            std::string(wanted));
}

// The integer a stored 16-bit, 32-bit or Boolean value stands for; nullopt for other types.
std::optional<int64_t> AsInteger(const PropertyValue& value) {
    if (const auto* v = std::get_if<int16_t>(&value)) return *v;
    if (const auto* v = std::get_if<int32_t>(&value)) return *v;
    if (const auto* v = std::get_if<bool>(&value)) return *v ? -1 : 0;
    return std::nullopt;
}

template <class Int>
Int ToInteger(std::string_view key, const PropertyValue& value, std::string_view wanted) {
    const std::optional<int64_t> n = AsInteger(value);
    if (!n || *n < std::numeric_limits<Int>::min() || *n > std::numeric_limits<Int>::max())
        Mismatch(key, wanted);
    return static_cast<Int>(*n);
}

template <class T>
T Exactly(std::string_view key, const PropertyValue& value, std::string_view wanted) {
    if (const auto* v = std::get_if<T>(&value)) return *v;
    Mismatch(key, wanted);
}

}  // namespace

template <>
int16_t ConvertProperty<int16_t>(std::string_view key, const PropertyValue& value) {
    return ToInteger<int16_t>(key, value, "a 16-bit integer");
}

template <>
int32_t ConvertProperty<int32_t>(std::string_view key, const PropertyValue& value) {
    return ToInteger<int32_t>(key, value, "a 32-bit integer");
}

template <>
bool ConvertProperty<bool>(std::string_view key, const PropertyValue& value) {
    const std::optional<int64_t> n = AsInteger(value);
    if (!n) Mismatch(key, "a Boolean");
    return *n != 0;
}

template <>
std::string ConvertProperty<std::string>(std::string_view key, const PropertyValue& value) {
    return Exactly<std::string>(key, value, "a string");
}

template <>
platform::FontDesc ConvertProperty<platform::FontDesc>(std::string_view key,
                                                       const PropertyValue& value) {
    return Exactly<platform::FontDesc>(key, value, "a font");
}

template <>
PicturePtr ConvertProperty<PicturePtr>(std::string_view key, const PropertyValue& value) {
    return Exactly<PicturePtr>(key, value, "a picture");
}

}  // namespace forms
