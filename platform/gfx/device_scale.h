#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

namespace platform {

/// How a window's logical pixels (laid out at 96 dpi) map to the device pixels it is shown in:
/// a factor from 1 to 4 held in 120ths, the unit in which Wayland's fractional scales come.
///
/// Every edge goes through one function, Edge(x) = round(x × factor), halves away from zero as
/// Wayland rounds a window's size. Logical pixel x covers the device pixels from Edge(x) up to
/// Edge(x + 1): `factor` of them at whole factors, 1 or 2 at 1.25 to 1.75. Neighbours therefore
/// tile with no gap and no overlap, and at factor 1 every edge stays where it is.
class DeviceScale {
  public:
    static constexpr int32_t kUnit = 120;
    static constexpr int32_t kMin = kUnit;
    static constexpr int32_t kMax = 4 * kUnit;

    /// Factor 1.
    constexpr DeviceScale() = default;
    /// A factor of `per120` / 120, held between 1 and 4.
    static DeviceScale FromPer120(int64_t per120);
    /// The whole scale `factor`, held between 1 and 4.
    static DeviceScale Whole(int32_t factor) { return FromPer120(int64_t{factor} * kUnit); }
    /// The nearest 120th of `factor`, held between 1 and 4; a factor that is not a number is 1.
    static DeviceScale FromFactor(double factor);

    int32_t Per120() const { return per120_; }
    double Factor() const { return static_cast<double>(per120_) / kUnit; }
    bool IsIdentity() const { return per120_ == kUnit; }
    bool IsWhole() const { return per120_ % kUnit == 0; }

    /// The device edge of logical edge x: round(x × factor), halves away from zero.
    int32_t Edge(int32_t x) const;
    /// The logical pixel whose device pixels hold device pixel d: the x with
    /// Edge(x) <= d < Edge(x + 1).
    int32_t LogicalAt(int32_t d) const;
    /// The device pixels a logical rectangle covers: each edge through Edge.
    Rect Map(const Rect& logical) const;
    /// The device pixels a logical region covers: each of its pixels' spans through Edge.
    Region Map(const Region& logical) const;
    /// The smallest logical rectangle whose device pixels hold `device`.
    Rect Cover(const Rect& device) const;

    friend bool operator==(const DeviceScale&, const DeviceScale&) = default;

  private:
    constexpr explicit DeviceScale(int32_t per120) : per120_(per120) {}

    int32_t per120_ = kUnit;
};

/// Where a surface lies on its window's device pixels: the window's scale, and the logical
/// place of the surface's top-left corner in the window. A child window's surface lies at its
/// place in the window, so its pixels fall on the window's own device edges.
struct SurfaceGrid {
    DeviceScale scale;
    Point origin;

    friend bool operator==(const SurfaceGrid&, const SurfaceGrid&) = default;
};

}  // namespace platform
