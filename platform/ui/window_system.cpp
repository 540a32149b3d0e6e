// The window system's tree, painting and loops. Input routing, focus and keystrokes live in
// window_input.cpp.
#include "platform/ui/window_system.h"

#include <algorithm>
#include <utility>

#include "platform/gfx/focus_ring.h"
#include "platform/objects/system_colors.h"
#include "platform/ui/compositor.h"

namespace platform {

WindowSystem::WindowSystem(Backend& backend)
    : backend_(backend),
      display_(backend.Windows()),
      screen_(backend.Screen()),
      events_(backend.Events()) {
    events_.Attach(*this);
    SetDesktopAppearance(AppearanceSource::DisplaySettings, screen_.DesktopAppearance());
}

// The system colours are the program's while its window system lives.
WindowSystem::~WindowSystem() {
    UseSystemColors(SystemColorTable::Classic);
}

Window* WindowSystem::Find(WindowHandle handle) const {
    const auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second;
}

Window* WindowSystem::TopLevelOf(NativeWindowId id) const {
    if (id == 0) return nullptr;
    for (Window* top : topLevels_)
        if (top->native_ == id) return top;
    return nullptr;
}

// ---- Registration -------------------------------------------------------------------------

WindowHandle WindowSystem::Register(Window& window) {
    const WindowHandle handle = nextHandle_++;
    windows_.emplace(handle, &window);
    if (window.parent_) {
        window.parent_->children_.push_back(&window);
    } else {
        topLevels_.push_back(&window);
    }
    return handle;
}

void WindowSystem::Unregister(Window& window) {
    timers_.StopAll(window.handle_);
    if (window.IsTopLevel()) {
        HideTopLevel(window);
        std::erase(topLevels_, &window);
    } else if (window.parent_) {
        if (window.visible_) AddDamage(*window.parent_, window.bounds_);
        std::erase(window.parent_->children_, &window);
    }
    for (Window* child : window.children_) {
        child->parent_ = nullptr;
        child->detached_ = true;
    }
    windows_.erase(window.handle_);
    if (!FocusWindow() || !FocusWindow()->TopLevel()) focus_ = 0;
    if (!CaptureWindow() || !CaptureWindow()->TopLevel()) capture_ = 0;
    UpdatePointerPicture();
}

void WindowSystem::ForgetSubtree(Window& window) {
    const auto unusable = [&](Window* w) {
        if (!w) return false;
        for (Window* a = w; a; a = a->parent_)
            if (a == &window) return !w->IsShown() || !w->IsEffectivelyEnabled();
        return false;
    };
    if (unusable(CaptureWindow())) capture_ = 0;
    UpdatePointerPicture();
    if (unusable(FocusWindow())) SetFocus(nullptr);
}

// ---- Painting -----------------------------------------------------------------------------

void WindowSystem::AddDamage(Window& window, const Rect& clientRect) {
    timers_.PointerOrWindowsChanged();
    Rect r = clientRect.Intersect({0, 0, window.bounds_.Width(), window.bounds_.Height()});
    Window* w = &window;
    for (; w->parent_ && !r.IsEmpty(); w = w->parent_) {
        r = r.Offset(w->bounds_.left, w->bounds_.top)
                .Intersect({0, 0, w->parent_->bounds_.Width(), w->parent_->bounds_.Height()});
    }
    if (r.IsEmpty() || w->detached_) return;
    // Overlapping rectangles merge, so no pixel is composed twice in one update.
    std::vector<Rect>& damage = w->damage_;
    for (size_t i = 0; i < damage.size();) {
        if (damage[i].Intersect(r).IsEmpty()) {
            ++i;
            continue;
        }
        r = r.Union(damage[i]);
        damage.erase(damage.begin() + static_cast<std::ptrdiff_t>(i));
        i = 0;
    }
    damage.push_back(r);
}

void WindowSystem::ShowTopLevel(Window& window) {
    timers_.PointerOrWindowsChanged();
    if (window.centred_) window.bounds_ = CentredBounds(window);
    window.desktopScale_ = screen_.Scale();
    // A message box comes at its owner's zoom, so that a zoomed calculator's boxes match it.
    if (const Window* owner = window.Owner()) window.zoom_ = owner->zoom_;
    window.shownScale_ = window.Scale();
    window.damage_.assign(1, Rect{0, 0, window.bounds_.Width(), window.bounds_.Height()});
    std::erase(topLevels_, &window);
    topLevels_.push_back(&window);
    NativeWindowDesc desc;
    // A window without a caption bar shows no title of its own; the desktop's window lists and
    // switchers show the program's name for it.
    desc.title = window.bordered_ || applicationName_.empty() ? window.title_ : applicationName_;
    const std::vector<Image> icons = window.icon_ ? window.icon_() : std::vector<Image>{};
    desc.icons = icons;
    desc.role = window.role_;
    desc.bordered = window.bordered_;
    if (const Window* owner = window.Owner()) desc.owner = owner->native_;
    desc.modal = std::find(modal_.begin(), modal_.end(), window.handle_) != modal_.end();
    desc.position = {window.bounds_.left, window.bounds_.top};
    desc.clientSize = {window.bounds_.Width(), window.bounds_.Height()};
    desc.scale = window.shownScale_;
    desc.opacity = window.opacity_;
    desc.pixels = [this, handle = window.handle_](const Rect& area) {
        const Window* top = Find(handle);
        return top && top->native_ ? ComposeFrame(*top, area) : Surface();
    };
    window.native_ = display_.CreateNativeWindow(desc);
}

Rect WindowSystem::CentredBounds(const Window& window) const {
    const int32_t w = window.bounds_.Width();
    const int32_t h = window.bounds_.Height();
    const Window* owner = window.Owner();
    if (!owner || !owner->native_) {
        const Rect area = screen_.WorkArea(std::nullopt);
        return Rect::FromSize(area.left + (area.Width() - w) / 2,
                              area.top + (area.Height() - h) / 2, w, h);
    }
    // On its owner, as far as the owner's monitor allows; a window larger than the monitor
    // keeps its top-left corner on it.
    const Rect o = owner->bounds_;
    const Point centre{o.left + o.Width() / 2, o.top + o.Height() / 2};
    const Rect area = screen_.WorkArea(centre);
    const int32_t left = std::max(area.left, std::min(centre.x - w / 2, area.right - w));
    const int32_t top = std::max(area.top, std::min(centre.y - h / 2, area.bottom - h));
    return Rect::FromSize(left, top, w, h);
}

void WindowSystem::NativeWindowMoved(WindowHandle topLevel, Point screen) {
    Window* window = Find(topLevel);
    if (!window || !window->IsTopLevel()) return;
    window->bounds_ =
        window->bounds_.Offset(screen.x - window->bounds_.left, screen.y - window->bounds_.top);
    timers_.PointerOrWindowsChanged();
}

void WindowSystem::NativeWindowLost(WindowHandle topLevel) {
    if (Window* window = Find(topLevel)) window->native_ = 0;
    windowLost_ = true;
}

void WindowSystem::DisplayLost(std::string message) {
    if (displayLost_.empty()) displayLost_ = std::move(message);
}

void WindowSystem::HideTopLevel(Window& window) {
    timers_.PointerOrWindowsChanged();
    if (window.native_) display_.DestroyNativeWindow(window.native_);
    window.native_ = 0;
}

void WindowSystem::Update(Window& topLevel) {
    if (!topLevel.native_) return;
    const WindowHandle top = topLevel.handle_;
    // A surface made anew draws itself in its OnResize, which may change the tree.
    Regrid(topLevel);
    Window* root = Find(top);
    if (!root || !root->native_) return;

    // Windows that paint themselves do so first; a Paint handler may change the tree, so the
    // windows are collected by handle and found again one by one.
    std::vector<WindowHandle> toPaint;
    std::vector<Window*> walk{root};
    while (!walk.empty()) {
        Window* w = walk.back();
        walk.pop_back();
        if (!w->visible_) continue;
        if (w->needsPaint_) toPaint.push_back(w->handle_);
        walk.insert(walk.end(), w->children_.begin(), w->children_.end());
    }
    for (const WindowHandle h : toPaint) {
        Window* w = Find(h);
        if (!w || !w->needsPaint_) continue;
        w->needsPaint_ = false;
        w->Paint(w->surface_);
    }

    Window* window = Find(top);
    if (!window || !window->native_) return;
    // The display asks for the pixels of what it is told changed (ComposeFrame), now or when
    // it can next show them: no picture of the whole window is kept beside the windows' own.
    PrepareFocusRing(*window);
    const std::vector<Rect> damage = std::move(window->damage_);
    window->damage_.clear();
    const Rect client{0, 0, window->ClientWidth(), window->ClientHeight()};
    for (const Rect& r : damage) {
        const Rect area = r.Intersect(client);
        if (!area.IsEmpty()) display_.Present(window->native_, window->shownScale_.Map(area));
    }
}

Surface WindowSystem::ComposeFrame(const Window& topLevel, const Rect& deviceArea) const {
    const DeviceScale scale = topLevel.shownScale_;
    const Rect client{0, 0, topLevel.ClientWidth(), topLevel.ClientHeight()};
    const Rect device = deviceArea.Intersect(scale.Map(client));
    if (device.IsEmpty()) return {};
    Rect area = scale.Cover(device);
    // The ring's tones follow the pixels beside it, which are composed with it.
    const bool ringed = drawnRing_ && drawnRing_->topLevel == topLevel.handle_ &&
                        !area.Intersect(RingArea(*drawnRing_)).IsEmpty();
    if (ringed) area = area.Union(drawnRing_->around.Inflate(3, 3).Intersect(client));
    Surface composed(area.Width(), area.Height(), 0, {scale, {area.left, area.top}});
    ComposeArea(topLevel, composed, area);
    if (ringed) {
        const Point at{-area.left, -area.top};
        DrawFocusRing(composed, drawnRing_->around.Offset(at.x, at.y),
                      composed.ToDevice(area.Intersect(drawnRing_->clip).Offset(at.x, at.y)));
    }
    return composed;
}

void WindowSystem::UpdateAll() {
    std::vector<WindowHandle> tops;
    for (const Window* w : topLevels_)
        tops.push_back(w->handle_);
    for (const WindowHandle h : tops) {
        if (Window* w = Find(h)) Update(*w);
    }
}

// ---- Queue and loops ----------------------------------------------------------------------

void WindowSystem::Post(std::function<void()> task) {
    posted_.push_back(std::move(task));
}

void WindowSystem::PostWhenShown(std::function<void()> task) {
    whenShown_.push_back(std::move(task));
}

bool WindowSystem::FireDueTimers() {
    bool fired = false;
    while (const auto due = timers_.PopDue(NowMs())) {
        fired = true;
        if (Window* w = Find(due->window)) w->OnTimer(due->id);
    }
    return fired;
}

void WindowSystem::DispatchPending() {
    for (;;) {
        if (!posted_.empty()) {
            const std::function<void()> task = std::move(posted_.front());
            posted_.pop_front();
            task();
            continue;
        }
        if (DeliverQueuedKey()) continue;
        if (FireDueTimers()) continue;
        break;
    }
    UpdateAll();
    if (dispatchObserver_) dispatchObserver_();
}

void WindowSystem::RunLoopUntil(const std::function<bool()>& done) {
    for (;;) {
        DispatchPending();
        if (QuitRequested() || done()) return;
        if (!whenShown_.empty()) {
            // A wait that is already over sends the painted windows to the display.
            if (!events_.WaitForEvents(NowMs())) return;
            const std::function<void()> task = std::move(whenShown_.front());
            whenShown_.pop_front();
            task();
            continue;
        }
        if (!events_.WaitForEvents(NextTimerDueMs())) return;
    }
}

void WindowSystem::Run() {
    quit_ = false;
    RunLoopUntil([] { return false; });
}

void WindowSystem::RunModal(Window& window) {
    const WindowHandle handle = window.handle_;
    const WindowHandle previousFocus = focus_;
    modal_.push_back(handle);
    window.Show();
    Window* focus = FocusWindow();
    if (Find(handle) && (!focus || focus->TopLevel() != Find(handle))) FocusNext(false);
    RunLoopUntil([&] {
        const Window* w = Find(handle);
        return !w || !w->visible_;
    });
    std::erase(modal_, handle);
    Window* previous = Find(previousFocus);
    if (previous && previous->TopLevel() && (!FocusWindow() || !FocusWindow()->IsShown()))
        SetFocus(previous);
}

}  // namespace platform
