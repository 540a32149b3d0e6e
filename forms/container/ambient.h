#pragma once

#include <string>

#include "platform/objects/font_desc.h"

namespace forms {

/// What the host tells its controls about itself. `userMode` is true while the program runs
/// and false while the form is being designed; `displayAsDefault` marks the control that is
/// the form's default button.
struct AmbientProperties {
    std::string displayName;
    platform::FontDesc font;
    bool userMode = true;
    bool displayAsDefault = false;

    friend bool operator==(const AmbientProperties&, const AmbientProperties&) = default;
};

/// The host's ambient properties as they are now.
class HostAmbient {
  public:
    virtual ~HostAmbient() = default;

    virtual const AmbientProperties& Ambient() const = 0;
};

}  // namespace forms
