#pragma once

#include <cstdint>
#include <optional>

#include "platform/gfx/device_scale.h"
#include "platform/ui/backend.h"

namespace platform {

/// When a surface's buffer is fitted to the compositor's grid through a wp_viewport rather than
/// a whole buffer scale: never (the compositor has no viewporter), only when the buffer's sides
/// are no multiples of the compositor's whole scale, or always (the compositor gives fractional
/// scales, which only a viewport can follow).
enum class ViewportUse { Never, WhenUneven, Always };

/// How a surface shows a buffer: the wl_surface buffer scale, the viewport's destination (none
/// when no viewport scales the buffer), and the surface's size on the compositor's grid, which
/// its window geometry and size limits are given in.
struct SurfaceScaling {
    int32_t bufferScale = 1;
    std::optional<Size> destination;
    Size size;

    friend bool operator==(const SurfaceScaling&, const SurfaceScaling&) = default;
};

/// The size on the compositor's grid of `device` pixels shown at the compositor's `scale`:
/// each side divided by the scale, rounded halves up, at least 1.
Size CompositorSize(Size device, DeviceScale scale);

/// How a buffer of `device` pixels is shown at the compositor's `scale`: at a whole scale that
/// divides both sides, through the buffer scale; else through a viewport whose destination is
/// CompositorSize, where `use` allows one; else one buffer pixel per grid unit.
SurfaceScaling ScalingOf(Size device, DeviceScale scale, ViewportUse use);

}  // namespace platform
