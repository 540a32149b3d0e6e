#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/container/properties.h"
#include "forms/property_bag.h"

namespace forms {

/// The stored-properties role of a control site: the property bag the control loads its
/// settings from or saves them to, and the keys of the settings it said changed, oldest first.
class SiteProperties final : public StoredProperties {
  public:
    PropertyValue ReadProperty(std::string_view key, PropertyValue defaultValue) override;
    void WriteProperty(std::string_view key, PropertyValue value) override;
    void PropertyChanged(std::string_view key) override;

    /// Makes `bag` the one the control reads and writes.
    void SetBag(PropertyBag bag) { bag_ = std::move(bag); }
    /// The bag, leaving an empty one in its place.
    PropertyBag TakeBag() { return std::exchange(bag_, PropertyBag()); }
    const std::vector<std::string>& Notifications() const { return notifications_; }
    void ClearNotifications() { notifications_.clear(); }

  private:
    PropertyBag bag_;
    std::vector<std::string> notifications_;
};

}  // namespace forms
