#include "platform/display/headless/headless_backend.h"

#include <algorithm>

#include "platform/ui/window_system.h"

namespace platform {

HeadlessBackend::HeadlessBackend(Size screenSize, DeviceScale scale)
    : screenSize_(screenSize), scale_(scale) {}

void HeadlessBackend::SetDesktopScale(DeviceScale scale) {
    scale_ = scale;
    std::vector<WindowHandle> shown;
    for (const auto& [id, window] : windows_) {
        if (const Window* top = system_->TopLevelOf(id)) shown.push_back(top->Handle());
    }
    for (const WindowHandle handle : shown)
        system_->NativeScaleChanged(handle, scale);
}

void HeadlessBackend::AdvanceClock(int64_t ms) {
    const int64_t target = nowMs_ + std::max<int64_t>(ms, 0);
    ProcessUntilIdle();
    for (int64_t due = system_->NextTimerDueMs(); due <= target; due = system_->NextTimerDueMs()) {
        nowMs_ = std::max(nowMs_, due);
        ProcessUntilIdle();
    }
    nowMs_ = target;
    ProcessUntilIdle();
}

void HeadlessBackend::ProcessUntilIdle() {
    system_->DispatchPending();
}

const HeadlessBackend::NativeWindow* HeadlessBackend::Native(NativeWindowId id) const {
    const auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : &it->second;
}

Image HeadlessBackend::ScreenImage(NativeWindowId id) const {
    const Surface& screen = windows_.at(id).screen;
    Image image{screen.Width(), screen.Height(), {}};
    image.pixels.reserve(screen.Pixels().size());
    for (const Color c : screen.Pixels())
        image.pixels.push_back(c | 0xFF000000u);
    return image;
}

std::vector<uint8_t> HeadlessBackend::ScreenPng(NativeWindowId id) const {
    return ValueOrThrow(EncodePng(ScreenImage(id)));
}

NativeWindowId HeadlessBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    NativeWindow& w = windows_[nextId_];
    w.desc = desc;
    w.desc.icons = {};
    for (const Image& icon : desc.icons)
        w.iconSizes.push_back({icon.width, icon.height});
    w.screen.Resize(desc.scale.Edge(desc.clientSize.width),
                    desc.scale.Edge(desc.clientSize.height));
    return nextId_++;
}

void HeadlessBackend::SetScale(NativeWindowId id, DeviceScale scale) {
    const auto it = windows_.find(id);
    if (it == windows_.end()) return;
    NativeWindow& w = it->second;
    w.desc.scale = scale;
    w.screen.Resize(scale.Edge(w.desc.clientSize.width), scale.Edge(w.desc.clientSize.height));
}

void HeadlessBackend::DestroyNativeWindow(NativeWindowId id) {
    windows_.erase(id);
}

void HeadlessBackend::SetOpacity(NativeWindowId id, uint8_t opacity) {
    const auto it = windows_.find(id);
    if (it != windows_.end()) it->second.desc.opacity = opacity;
}

void HeadlessBackend::Activate(NativeWindowId id, std::string_view startupToken) {
    const auto it = windows_.find(id);
    if (it == windows_.end()) return;
    ++it->second.activations;
    it->second.lastStartupToken = startupToken;
}

void HeadlessBackend::Present(NativeWindowId id, const Rect& changed) {
    const auto it = windows_.find(id);
    if (it == windows_.end()) return;
    NativeWindow& window = it->second;
    const Surface pixels = window.desc.pixels(changed);
    const Rect area =
        changed.Intersect(window.screen.DeviceBounds()).Intersect(pixels.DeviceArea());
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const Color* row = pixels.DevicePixelAt(area.left, y);
        std::copy(row, row + area.Width(), window.screen.Row(y) + area.left);
    }
    if (window.presented.size() == kKeptPresents) window.presented.pop_front();
    window.presented.push_back(changed);
    ++window.presentCount;
}

bool HeadlessBackend::WaitForEvents(int64_t deadlineMs) {
    if (watches_.RunReadyNow(nowMs_)) return true;
    if (deadlineMs <= nowMs_) return true;
    if (advanceUntilMs_ > nowMs_) {
        nowMs_ = std::min(deadlineMs, advanceUntilMs_);
        return true;
    }
    if (!source_) return false;
    std::optional<HeadlessAction> action = source_();
    if (!action) {
        source_ = nullptr;
        return false;
    }
    if (const auto* advance = std::get_if<headless::Advance>(&*action)) {
        advanceUntilMs_ = nowMs_ + std::max<int64_t>(advance->ms, 0);
        nowMs_ = std::min(deadlineMs, advanceUntilMs_);
        return true;
    }
    Deliver(*action);
    return true;
}

void HeadlessBackend::Deliver(HeadlessAction& action) {
    WindowSystem& s = *system_;
    struct Visitor {
        WindowSystem& s;
        void operator()(const headless::Advance&) {}
        void operator()(const headless::MoveTo& a) { s.PointerMoveTo(a.screen); }
        void operator()(const headless::MoveInWindow& a) {
            s.PointerMoveInWindow(a.topLevel, a.client);
        }
        void operator()(const headless::ButtonDown& a) { s.ButtonDown(a.button); }
        void operator()(const headless::ButtonUp& a) { s.ButtonUp(a.button); }
        void operator()(const headless::KeyDown& a) { s.KeyDown(a.keyCode); }
        void operator()(const headless::KeyUp& a) { s.KeyUp(a.keyCode); }
        void operator()(const headless::Character& a) { s.Character(a.charCode); }
        void operator()(const headless::KeyPressed& a) { s.KeyPressed(a.stroke); }
        void operator()(const headless::KeyReleased& a) { s.KeyReleased({a.key, a.keyCode}); }
        void operator()(const headless::Call& a) { a.fn(); }
    };
    std::visit(Visitor{s}, action);
}

}  // namespace platform
