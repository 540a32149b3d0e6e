#include "platform/gfx/device_scale.h"

#include <algorithm>
#include <cmath>

namespace platform {

DeviceScale DeviceScale::FromPer120(int64_t per120) {
    return DeviceScale(static_cast<int32_t>(std::clamp<int64_t>(per120, kMin, kMax)));
}

DeviceScale DeviceScale::FromFactor(double factor) {
    if (!std::isfinite(factor)) return {};
    return FromPer120(std::llround(std::clamp(factor, 1.0, 4.0) * kUnit));
}

int32_t DeviceScale::Edge(int32_t x) const {
    // In whole numbers: x × per120 / 120 rounded halves away from zero, exactly for every x.
    const int64_t twice = int64_t{2} * x * per120_;
    const int64_t magnitude = ((twice < 0 ? -twice : twice) + kUnit) / (2 * kUnit);
    return static_cast<int32_t>(twice < 0 ? -magnitude : magnitude);
}

int32_t DeviceScale::LogicalAt(int32_t d) const {
    // A first guess within one of the answer, then the edges themselves decide.
    auto x = static_cast<int32_t>(std::floor(static_cast<double>(int64_t{d} * kUnit) / per120_));
    while (Edge(x) > d)
        --x;
    while (Edge(x + 1) <= d)
        ++x;
    return x;
}

Rect DeviceScale::Map(const Rect& logical) const {
    return {Edge(logical.left), Edge(logical.top), Edge(logical.right), Edge(logical.bottom)};
}

Region DeviceScale::Map(const Region& logical) const {
    if (IsIdentity()) return logical;
    return logical.MapEdges([this](int32_t x) { return Edge(x); });
}

Rect DeviceScale::Cover(const Rect& device) const {
    if (device.IsEmpty()) return {};
    return {LogicalAt(device.left), LogicalAt(device.top), LogicalAt(device.right - 1) + 1,
            LogicalAt(device.bottom - 1) + 1};
}

}  // namespace platform
