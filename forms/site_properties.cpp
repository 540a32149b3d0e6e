#include "forms/site_properties.h"

namespace forms {

PropertyValue SiteProperties::ReadProperty(std::string_view key, PropertyValue defaultValue) {
    const PropertyValue* stored = bag_.Find(key);
    return stored ? *stored : std::move(defaultValue);
}

void SiteProperties::WriteProperty(std::string_view key, PropertyValue value) {
    bag_.Write(key, std::move(value));
}

void SiteProperties::PropertyChanged(std::string_view key) {
    notifications_.emplace_back(key);
}

}  // namespace forms
