#pragma once

#include <cstdint>
#include <vector>

#include "platform/display/wayland/wayland_owned.h"
#include "platform/gfx/device_scale.h"
#include "platform/ui/backend.h"

namespace platform {

/// One of the compositor's outputs, as its events describe it: its whole scale and its current
/// mode in device pixels.
struct WaylandOutput {
    WaylandOwned<wl_output> output;
    int32_t scale = 1;
    Size mode;
};

/// The largest scale of `outputs`; 1 without any.
DeviceScale LargestScale(const std::vector<WaylandOutput>& outputs);

}  // namespace platform
