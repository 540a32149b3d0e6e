#include "platform/display/wayland/wayland_output.h"

#include <algorithm>

#include "platform/display/wayland/surface_scaling.h"

namespace platform {

DeviceScale LargestScale(const std::vector<WaylandOutput>& outputs) {
    int32_t largest = 1;
    for (const WaylandOutput& output : outputs)
        largest = std::max(largest, output.scale);
    return DeviceScale::Whole(largest);
}

}  // namespace platform
