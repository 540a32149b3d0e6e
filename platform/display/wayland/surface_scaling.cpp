#include "platform/display/wayland/surface_scaling.h"

#include <algorithm>

namespace platform {
namespace {

int32_t GridLength(int32_t device, DeviceScale scale) {
    // device × 120 / per120, rounded halves up, in whole numbers.
    const int64_t twice = int64_t{2} * device * DeviceScale::kUnit;
    return std::max<int32_t>(1,
                             static_cast<int32_t>((twice + scale.Per120()) / (2 * scale.Per120())));
}

}  // namespace

Size CompositorSize(Size device, DeviceScale scale) {
    return {GridLength(device.width, scale), GridLength(device.height, scale)};
}

SurfaceScaling ScalingOf(Size device, DeviceScale scale, ViewportUse use) {
    const int32_t whole = scale.Per120() / DeviceScale::kUnit;
    const bool even = scale.IsWhole() && device.width % whole == 0 && device.height % whole == 0;
    if (even && use != ViewportUse::Always)
        return {whole, std::nullopt, {device.width / whole, device.height / whole}};
    if (use == ViewportUse::Never) return {1, std::nullopt, device};
    const Size size = CompositorSize(device, scale);
    return {1, size, size};
}

}  // namespace platform
