#include "platform/display/wayland/wayland_windows.h"

#include <utility>

// The Wayland headers come after ours, like every platform header.
#include "platform/display/wayland/wayland_client_library.h"

#include "xdg-activation-v1-client-protocol.h"

namespace platform {

WaylandWindows::WaylandWindows(const WaylandGlobals& globals, std::string activationToken,
                               std::function<void(NativeWindowId)> onClose,
                               std::function<void(NativeWindowId, DeviceScale)> onScale,
                               std::function<void(NativeWindowId)> onDestroyed)
    : globals_(globals),
      activationToken_(std::move(activationToken)),
      onClose_(std::move(onClose)),
      onScale_(std::move(onScale)),
      onDestroyed_(std::move(onDestroyed)),
      cursor_(globals.Context().compositor, globals.Context().shm) {}

NativeWindowId WaylandWindows::CreateNativeWindow(const NativeWindowDesc& desc) {
    const NativeWindowId id = nextId_++;
    WaylandWindow* owner = desc.owner && *desc.owner ? WindowOf(*desc.owner) : nullptr;
    windows_.emplace(id, std::make_unique<WaylandWindow>(
                             globals_.Context(), desc, owner, [this, id] { onClose_(id); },
                             [this, id](DeviceScale scale) { onScale_(id, scale); }));
    // The first window ends the launch that started the program, and takes the focus it
    // brings.
    if (!activationToken_.empty()) Activate(id, std::exchange(activationToken_, {}));
    return id;
}

void WaylandWindows::DestroyNativeWindow(NativeWindowId id) {
    if (windows_.erase(id) > 0) onDestroyed_(id);
}

void WaylandWindows::SetOpacity(NativeWindowId id, uint8_t opacity) {
    if (WaylandWindow* window = WindowOf(id)) window->SetOpacity(opacity);
}

void WaylandWindows::Activate(NativeWindowId id, std::string_view startupToken) {
    const WaylandWindow* window = WindowOf(id);
    if (!globals_.Activation() || !window || startupToken.empty()) return;
    const std::string token(startupToken);
    xdg_activation_v1_activate(globals_.Activation(), token.c_str(), window->WlSurface());
}

void WaylandWindows::SetScale(NativeWindowId id, DeviceScale scale) {
    if (WaylandWindow* window = WindowOf(id)) window->SetScale(scale);
}

void WaylandWindows::Present(NativeWindowId id, const Rect& changed) {
    if (WaylandWindow* window = WindowOf(id)) window->Present(changed);
}

void WaylandWindows::Flush() {
    wl_display_flush(globals_.Display());
}

NativeWindowId WaylandWindows::IdOf(wl_surface* surface) const {
    for (const auto& [id, window] : windows_)
        if (window->WlSurface() == surface) return id;
    return 0;
}

NativeWindowId WaylandWindows::TitleBarOf(wl_surface* surface) const {
    for (const auto& [id, window] : windows_)
        if (surface && window->TitleBarSurface() == surface) return id;
    return 0;
}

WaylandWindow* WaylandWindows::WindowOf(NativeWindowId id) const {
    const auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.get();
}

void WaylandWindows::ShowPendingPictures() {
    for (const auto& [id, window] : windows_)
        window->Commit();
}

void WaylandWindows::FollowOutputs() {
    for (const auto& [id, window] : windows_)
        window->FollowOutputs();
}

Rect WaylandScreen::WorkArea(std::optional<Point>) const {
    const auto& outputs = globals_.Outputs();
    if (outputs.empty()) return {};
    // The logical pixels that lie wholly on the output's device pixels.
    const Size mode = outputs.front().mode;
    const DeviceScale scale = Scale();
    return {0, 0, scale.LogicalAt(mode.width), scale.LogicalAt(mode.height)};
}

}  // namespace platform
