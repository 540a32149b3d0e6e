#include "platform/ui/compositor.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace platform {
namespace {

// Copies the device pixels of `target` (device coordinates of `into`) from the window's
// surface, whose top-left device pixel lies at `origin`; with a region, only the region's
// pixels inside `target`.
void CopyFromSurface(Surface& into, const Surface& surface, Point origin, const Rect& target,
                     const Region* region) {
    for (int32_t y = target.top; y < target.bottom; ++y) {
        const Color* in = surface.Row(y - origin.y) - origin.x;
        Color* out = into.Row(y);
        if (!region) {
            std::copy(in + target.left, in + target.right, out + target.left);
            continue;
        }
        for (const Span& s : region->RowSpans(y)) {
            const int32_t x0 = std::max(s.x0, target.left);
            const int32_t x1 = std::min(s.x1, target.right);
            if (x0 < x1) std::copy(in + x0, in + x1, out + x0);
        }
    }
}

// Draws a window drawn on demand (its client area at logical `origin`) at the device pixels
// `target` of `into`, only those of `region` when given, and none that a child covers: the
// child's pixels go over them.
void DrawOnDemand(const Window& window, Point origin, Surface& into, const Rect& target,
                  const Region* region) {
    const Rect logical = into.Cover(target);
    std::vector<Span> covered;
    for (const Window* child : window.Children()) {
        const Rect b = child->Bounds().Offset(origin.x, origin.y);
        if (!child->IsVisible() || b.Intersect(logical).IsEmpty()) continue;
        const Rect place = into.ToDevice(b).Intersect(target);
        if (!child->DeviceShape()) {
            for (int32_t y = place.top; y < place.bottom; ++y)
                covered.push_back({y, place.left, place.right});
            continue;
        }
        const Point at{into.DeviceX(b.left), into.DeviceY(b.top)};
        for (const Span& s : child->DeviceShape()->Spans()) {
            const Span moved{s.y + at.y, std::max(s.x0 + at.x, place.left),
                             std::min(s.x1 + at.x, place.right)};
            if (moved.y >= place.top && moved.y < place.bottom) covered.push_back(moved);
        }
    }
    const Region shows =
        region ? region->Intersect(Region::FromRect(target)) : Region::FromRect(target);
    window.DrawInto(into, origin, shows.Difference(Region::FromSpans(std::move(covered))));
}

// Composes `window` (its client area at logical `origin`) and its children into `into`,
// limited to the device pixels `clip` and, when set, to those of `clipRegion` (inherited
// shapes).
void ComposeWindow(const Window& window, Point origin, Surface& into, const Rect& clip,
                   const Region* clipRegion) {
    const Rect logical =
        Rect::FromSize(origin.x, origin.y, window.ClientWidth(), window.ClientHeight());
    const Rect target = into.ToDevice(logical).Intersect(clip);
    if (target.IsEmpty()) return;

    const Point deviceOrigin{into.DeviceX(origin.x), into.DeviceY(origin.y)};
    std::optional<Region> shaped;
    const Region* region = clipRegion;
    if (window.DeviceShape()) {
        shaped = window.DeviceShape()
                     ->Offset(deviceOrigin.x, deviceOrigin.y)
                     .Intersect(Region::FromRect(target));
        if (clipRegion) shaped = shaped->Intersect(*clipRegion);
        if (shaped->IsEmpty()) return;
        region = &*shaped;
    }
    if (window.IsDrawnOnDemand()) {
        DrawOnDemand(window, origin, into, target, region);
    } else {
        const Surface& surface = window.DrawingSurface();
        CopyFromSurface(
            into, surface, deviceOrigin,
            target.Intersect(surface.DeviceBounds().Offset(deviceOrigin.x, deviceOrigin.y)),
            region);
    }

    for (const Window* child : window.Children()) {
        if (!child->IsVisible()) continue;
        const Rect b = child->Bounds();
        ComposeWindow(*child, {origin.x + b.left, origin.y + b.top}, into, target, region);
    }
}

}  // namespace

void ComposeArea(const Window& topLevel, Surface& into, const Rect& area) {
    const Point at = into.Grid().origin;
    const Rect local = area.Offset(-at.x, -at.y).Intersect(into.Bounds());
    ComposeWindow(topLevel, {-at.x, -at.y}, into, into.ToDevice(local), nullptr);
}

}  // namespace platform
