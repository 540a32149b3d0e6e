#include <vector>

#include "platform/ui/window_system.h"

namespace platform {
namespace {

// Whether a surface on grid `a` has the same device pixels as one on grid `b`: at a whole
// scale every logical pixel is the same block wherever it lies.
bool SameDevicePixels(const SurfaceGrid& a, const SurfaceGrid& b) {
    return a.scale == b.scale && (a.scale.IsWhole() || a.origin == b.origin);
}

}  // namespace

SurfaceGrid WindowSystem::GridOf(const Window& window) const {
    Point origin;
    const Window* w = &window;
    for (; w->parent_; w = w->parent_) {
        origin.x += w->bounds_.left;
        origin.y += w->bounds_.top;
    }
    return {w->Scale(), origin};
}

void WindowSystem::NativeScaleChanged(WindowHandle topLevel, DeviceScale scale) {
    Window* window = Find(topLevel);
    if (!window || !window->IsTopLevel() || window->desktopScale_ == scale) return;
    window->desktopScale_ = scale;
    Rescale(*window);
}

void WindowSystem::Rescale(Window& topLevel) {
    // A hidden window takes its scale when it is shown.
    if (!topLevel.native_) return;
    const DeviceScale scale = topLevel.Scale();
    if (topLevel.shownScale_ == scale) return;
    timers_.PointerOrWindowsChanged();
    topLevel.shownScale_ = scale;
    topLevel.damage_.assign(1, Rect{0, 0, topLevel.ClientWidth(), topLevel.ClientHeight()});
    display_.SetScale(topLevel.native_, scale);
}

// Gives every window whose surface no longer lies on its device pixels (the scale changed, or
// the window moved at a scale that is not whole) or was released a new surface, parents before
// children, and lets each draw it anew.
void WindowSystem::Regrid(Window& topLevel) {
    std::vector<WindowHandle> remade;
    std::vector<Window*> walk{&topLevel};
    while (!walk.empty()) {
        Window* w = walk.back();
        walk.pop_back();
        const SurfaceGrid grid = GridOf(*w);
        const bool released = !w->IsDrawnOnDemand() && (w->surface_.Width() != w->ClientWidth() ||
                                                        w->surface_.Height() != w->ClientHeight());
        if (released || !SameDevicePixels(w->surface_.Grid(), grid)) {
            w->SizeSurface(grid);
            w->TraceShape();
            w->needsPaint_ = true;
            remade.push_back(w->handle_);
        }
        walk.insert(walk.end(), w->children_.rbegin(), w->children_.rend());
    }
    for (const WindowHandle h : remade) {
        if (Window* w = Find(h)) w->OnResize();
    }
}

// A hidden window shows nothing: its windows give their pixels back, and Regrid makes them anew
// when it is shown again.
void WindowSystem::ReleaseSurfaces(Window& topLevel) {
    std::vector<Window*> walk{&topLevel};
    while (!walk.empty()) {
        Window* w = walk.back();
        walk.pop_back();
        w->surface_.Release();
        walk.insert(walk.end(), w->children_.begin(), w->children_.end());
    }
}

}  // namespace platform
