#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "forms/container.h"
#include "forms/container_resources.h"
#include "forms/container_user_control.h"
#include "forms/control_site.h"
#include "forms/property_bag.h"
#include "platform/ui/window.h"

namespace forms {

/// How a form's design data places one hosted control. `index` is its index in a control
/// group; `bag` holds its stored settings, or nothing for a new instance.
struct ControlDesign {
    std::string classId;
    std::string name;
    std::optional<int32_t> index;
    int32_t left = 0, top = 0, width = 0, height = 0;  // twips in the form's client area
    int32_t tabIndex = 0;
    std::optional<PropertyBag> bag;
};

/// Thrown by ControlRegistry::CreateSite for a class identifier nobody registered.
class UnknownControlClass : public std::runtime_error {
    using runtime_error::runtime_error;
};

/// The control classes a program can host, each under its class identifier ("Tavik.vbButton").
class ControlRegistry {
  public:
    using Factory = std::function<std::unique_ptr<UserControl>()>;

    /// Registers (or replaces) the class `classId`; identifiers match exactly.
    void Register(std::string classId, Factory factory);
    bool Contains(std::string_view classId) const;

    /// A site for `design` in `parent`, its control created, then loaded from the design's bag
    /// or started as a new instance; hidden until the caller shows it. The ambient display name
    /// is the design's name, followed by "(index)" in a control group. Throws
    /// UnknownControlClass for an unregistered identifier; errors of the control's load reach
    /// the caller.
    std::unique_ptr<ControlSite> CreateSite(platform::Window& parent, const ControlDesign& design,
                                            AmbientProperties ambient,
                                            const ResourceTable& resources) const;

  private:
    std::map<std::string, Factory, std::less<>> factories_;
};

}  // namespace forms
