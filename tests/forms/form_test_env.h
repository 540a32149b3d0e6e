#pragma once

#include "forms/form.h"
#include "forms/units.h"
#include "platform/display/headless/headless_backend.h"
#include "platform/ui/window_system.h"

namespace forms::testing {

/// A headless display with its window system, and a form design of a given pixel size.
struct FormTestEnv {
    platform::HeadlessBackend backend{{640, 480}};
    platform::WindowSystem system{backend};
};

inline FormDesign DesignOfPixels(int32_t width, int32_t height, uint32_t backColor) {
    FormDesign design;
    design.caption = "Test";
    design.widthTwips = PixelsToTwips(width);
    design.heightTwips = PixelsToTwips(height);
    design.backColor = backColor;
    return design;
}

/// The pixels the backend shows for a top-level window.
inline const platform::Surface& Screen(const FormTestEnv& env, const platform::Window& window) {
    return env.backend.Native(window.NativeId())->screen;
}

}  // namespace forms::testing
