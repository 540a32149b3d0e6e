// The ring the window system draws around the focused child window while the focus is visible:
// where it goes, and which parts of the windows' pictures it makes stale.
#include <algorithm>

#include "platform/ui/window_system.h"

namespace platform {
namespace {

Rect ClientRect(const Window& window) {
    return {0, 0, window.ClientWidth(), window.ClientHeight()};
}

}  // namespace

std::optional<WindowSystem::FocusRing> WindowSystem::WantedFocusRing() const {
    const Window* focus = FocusWindow();
    if (!focusVisible_ || !focus || !focus->parent_ || !focus->IsShown()) return std::nullopt;
    Rect around = focus->bounds_;
    Rect clip = ClientRect(*focus->parent_);
    const Window* w = focus->parent_;
    for (; w->parent_; w = w->parent_) {
        around = around.Offset(w->bounds_.left, w->bounds_.top);
        clip = clip.Offset(w->bounds_.left, w->bounds_.top).Intersect(ClientRect(*w->parent_));
    }
    if (!w->native_) return std::nullopt;
    return FocusRing{w->handle_, around, clip};
}

Rect WindowSystem::RingArea(const FocusRing& ring) {
    return ring.around.Inflate(2, 2).Intersect(ring.clip);
}

// Called before `topLevel` is presented. When the ring moved, went to another window or away,
// the areas it left and takes are damaged. A ring pixel's tone follows the pixel beside it, so
// damage that reaches a pixel beside the ring has the whole ring drawn anew.
void WindowSystem::PrepareFocusRing(Window& topLevel) {
    const std::optional<FocusRing> wanted = WantedFocusRing();
    if (wanted != drawnRing_) {
        for (const std::optional<FocusRing>& ring : {drawnRing_, wanted}) {
            if (!ring) continue;
            if (Window* top = Find(ring->topLevel)) AddDamage(*top, RingArea(*ring));
        }
        drawnRing_ = wanted;
    }
    if (!drawnRing_ || drawnRing_->topLevel != topLevel.handle_) return;
    const Rect reach = drawnRing_->around.Inflate(3, 3);
    if (std::any_of(topLevel.damage_.begin(), topLevel.damage_.end(),
                    [&](const Rect& d) { return !d.Intersect(reach).IsEmpty(); }))
        AddDamage(topLevel, RingArea(*drawnRing_));
}

}  // namespace platform
