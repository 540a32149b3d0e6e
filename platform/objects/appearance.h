#pragma once

namespace platform {

/// The colours the user prefers, as the desktop says it.
enum class ColorPreference { NoPreference, Dark, Light };

/// What the desktop asks of every program's look: a colour preference, higher contrast, and
/// reduced motion. The default is what a desktop that says nothing means.
struct Appearance {
    ColorPreference colors = ColorPreference::NoPreference;
    bool highContrast = false;
    bool reducedMotion = false;

    friend bool operator==(const Appearance&, const Appearance&) = default;
};

}  // namespace platform
