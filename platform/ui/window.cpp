#include "platform/ui/window.h"

#include <algorithm>
#include <utility>

#include "platform/gfx/copy_rect.h"
#include "platform/ui/window_system.h"

namespace platform {

Window::Window(WindowSystem& system, Window* parent, Rect bounds, WindowPixels pixels)
    : system_(system), parent_(parent), bounds_(bounds), pixels_(pixels) {
    handle_ = system_.Register(*this);
    if (!parent_) desktopScale_ = system_.GetBackend().Screen().Scale();
    SizeSurface(system_.GridOf(*this));
}

void Window::SizeSurface(const SurfaceGrid& grid) {
    if (IsDrawnOnDemand()) {
        surface_.Resize(0, 0, 0, grid);
    } else {
        surface_.Resize(bounds_.Width(), bounds_.Height(), 0, grid);
    }
}

Window::~Window() {
    system_.Unregister(*this);
}

Window* Window::TopLevel() {
    return const_cast<Window*>(std::as_const(*this).TopLevel());
}

const Window* Window::TopLevel() const {
    const Window* w = this;
    while (w->parent_)
        w = w->parent_;
    return w->detached_ ? nullptr : w;
}

Point Window::ClientToScreen(Point client) const {
    for (const Window* w = this; w; w = w->parent_) {
        client.x += w->bounds_.left;
        client.y += w->bounds_.top;
    }
    return client;
}

Point Window::ScreenToClient(Point screen) const {
    const Point origin = ClientToScreen({0, 0});
    return {screen.x - origin.x, screen.y - origin.y};
}

void Window::SetBounds(Rect bounds) {
    if (bounds == bounds_) return;
    const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
    if (IsTopLevel()) {
        // The native window has a fixed size: a shown top-level window is opened again.
        const bool shown = visible_;
        if (shown) system_.HideTopLevel(*this);
        bounds_ = bounds;
        if (resized) SizeSurface(surface_.Grid());
        TraceShape();
        if (shown) system_.ShowTopLevel(*this);
    } else {
        if (parent_ && visible_) system_.AddDamage(*parent_, bounds_);
        bounds_ = bounds;
        // A move at a scale that is not whole changes which device pixels the window covers:
        // the next update makes its surface anew for them.
        if (resized) SizeSurface(surface_.Grid());
        TraceShape();
        if (parent_ && visible_) system_.AddDamage(*parent_, bounds_);
    }
    if (!resized) return;
    needsPaint_ = true;
    OnResize();
}

DeviceScale Window::Scale() const {
    const Window* top = this;
    while (top->parent_)
        top = top->parent_;
    return DeviceScale::FromFactor(top->desktopScale_.Factor() * top->zoom_);
}

void Window::SetZoom(double zoom) {
    zoom = std::clamp(zoom, 1.0, 4.0);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    system_.Rescale(*this);
}

bool Window::IsShown() const {
    const Window* w = this;
    for (;; w = w->parent_) {
        if (!w->visible_) return false;
        if (!w->parent_) break;
    }
    return !w->detached_;
}

bool Window::IsEffectivelyEnabled() const {
    for (const Window* w = this; w; w = w->parent_)
        if (!w->enabled_) return false;
    return true;
}

void Window::Show() {
    if (visible_) return;
    visible_ = true;
    needsPaint_ = true;
    if (IsTopLevel()) {
        system_.ShowTopLevel(*this);
    } else {
        system_.AddDamage(*this, {0, 0, bounds_.Width(), bounds_.Height()});
    }
    OnShow();
}

void Window::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (IsTopLevel()) {
        system_.HideTopLevel(*this);
        system_.ReleaseSurfaces(*this);
    } else if (parent_) {
        system_.AddDamage(*parent_, bounds_);
    }
    WindowSystem& system = system_;
    const WindowHandle self = handle_;
    system.ForgetSubtree(*this);
    if (Window* w = system.Find(self)) w->OnHide();
}

void Window::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) system_.ForgetSubtree(*this);
}

void Window::Raise() {
    std::vector<Window*>& siblings = parent_ ? parent_->children_ : system_.topLevels_;
    std::erase(siblings, this);
    siblings.push_back(this);
    if (visible_) system_.AddDamage(*this, {0, 0, bounds_.Width(), bounds_.Height()});
}

void Window::SetShape(std::optional<Region> shape, ShapeTracer traced) {
    shape_ = std::move(shape);
    shapeTracer_ = std::move(traced);
    TraceShape();
    if (visible_) system_.AddDamage(*this, {0, 0, bounds_.Width(), bounds_.Height()});
}

void Window::TraceShape() {
    if (!shape_) {
        deviceShape_.reset();
    } else if (shapeTracer_) {
        const Rect device = surface_.ToDevice(Rect{0, 0, ClientWidth(), ClientHeight()});
        deviceShape_ = shapeTracer_(device.Width(), device.Height());
    } else {
        deviceShape_ = surface_.ToDevice(*shape_);
    }
}

void Window::DrawInto(Surface& into, Point origin, const Region& device) const {
    if (device.IsEmpty()) return;
    into.SetDeviceClip(device);
    DrawArea(into, origin, into.Cover(device.Bounds()).Offset(-origin.x, -origin.y));
    into.ClearClip();
}

void Window::CopyOwnPixels(const Rect& area, Surface& into) const {
    if (!IsDrawnOnDemand()) return CopyRect(into, {0, 0}, surface_, area);
    DrawInto(into, {-area.left, -area.top},
             Region::FromRect(into.ToDevice(Rect::FromSize(0, 0, area.Width(), area.Height()))));
}

void Window::SetPointer(PointerKind kind, std::shared_ptr<const PointerImage> image) {
    pointerKind_ = kind;
    pointerImage_ = std::move(image);
    system_.UpdatePointerPicture();
}

void Window::Focus() {
    system_.SetFocus(this);
}

bool Window::HasFocus() const {
    return system_.focus_ == handle_;
}

void Window::SetCapture() {
    system_.capture_ = handle_;
}

void Window::Invalidate() {
    Invalidate({0, 0, bounds_.Width(), bounds_.Height()});
}

void Window::Invalidate(const Rect& rect) {
    needsPaint_ = true;
    system_.AddDamage(*this, rect);
}

void Window::UpdateNow() {
    Window* top = TopLevel();
    if (!top) return;
    system_.Update(*top);
    system_.GetBackend().Windows().Flush();
}

void Window::SetTimer(int32_t id, int32_t intervalMs, TimerKind kind) {
    system_.timers_.Start(handle_, id, intervalMs, system_.NowMs(), kind);
}

void Window::KillTimer(int32_t id) {
    system_.timers_.Stop(handle_, id);
}

Window* Window::Owner() const {
    return system_.Find(owner_);
}

void Window::SetOpacity(uint8_t opacity) {
    opacity_ = opacity;
    if (native_) system_.GetBackend().Windows().SetOpacity(native_, opacity);
}

bool Window::Close() {
    WindowSystem& system = system_;
    const WindowHandle self = handle_;
    const bool allow = OnCloseRequest();
    Window* w = system.Find(self);
    if (!w) return true;
    if (!allow) return false;
    w->Hide();
    return true;
}

}  // namespace platform
