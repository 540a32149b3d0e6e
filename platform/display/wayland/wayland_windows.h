#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/display/wayland/wayland_cursor.h"
#include "platform/display/wayland/wayland_globals.h"
#include "platform/display/wayland/wayland_window.h"
#include "platform/ui/backend.h"

namespace platform {

/// The Wayland backend's windows: one xdg-shell toplevel per native window (WaylandWindow),
/// the pointer's picture over them (WaylandCursor), and the launch's activation token, which
/// the first window hands to the compositor. Native window ids count from 1.
class WaylandWindows final : public DisplayWindows {
  public:
    /// `onClose` is called when the user asks to close a window, `onScale` when the compositor
    /// asks for one to be shown at another scale, `onDestroyed` when the program has destroyed
    /// one.
    WaylandWindows(const WaylandGlobals& globals, std::string activationToken,
                   std::function<void(NativeWindowId)> onClose,
                   std::function<void(NativeWindowId, DeviceScale)> onScale,
                   std::function<void(NativeWindowId)> onDestroyed);
    WaylandWindows(const WaylandWindows&) = delete;
    WaylandWindows& operator=(const WaylandWindows&) = delete;

    NativeWindowId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeWindowId id) override;
    /// Makes the window's buffers translucent, premultiplied by the opacity, below 255.
    void SetOpacity(NativeWindowId id, uint8_t opacity) override;
    /// Wayland lets no client raise or focus its windows unasked: a launch's activation token
    /// asks the compositor to (xdg-activation, where it offers it); without one nothing happens.
    void Activate(NativeWindowId id, std::string_view startupToken) override;
    /// The window's buffers are made anew at the scale's size, for the next picture.
    void SetScale(NativeWindowId id, DeviceScale scale) override;
    void Present(NativeWindowId id, const Rect& changed) override;
    void Flush() override;
    void SetPointer(const PointerImage* pointer) override { cursor_.Set(pointer); }

    WaylandCursor& Cursor() { return cursor_; }
    /// The native window whose surface, or whose own title bar's surface, `surface` is; 0 when
    /// it is neither.
    NativeWindowId IdOf(wl_surface* surface) const;
    NativeWindowId TitleBarOf(wl_surface* surface) const;
    WaylandWindow* WindowOf(NativeWindowId id) const;
    /// Sends out the pictures that found every buffer held by the compositor, once one is free.
    void ShowPendingPictures();
    /// An output's scale may have changed: every window follows the outputs it is on.
    void FollowOutputs();

  private:
    const WaylandGlobals& globals_;
    std::string activationToken_;
    std::function<void(NativeWindowId)> onClose_;
    std::function<void(NativeWindowId, DeviceScale)> onScale_;
    std::function<void(NativeWindowId)> onDestroyed_;
    WaylandCursor cursor_;
    std::map<NativeWindowId, std::unique_ptr<WaylandWindow>> windows_;
    NativeWindowId nextId_ = 1;
};

/// The outputs as the Wayland backend's screen: the first one's size as the work area, in
/// logical pixels, since Wayland tells clients neither where their windows are nor where the
/// pointer is on the screen; the scale of new windows; and no bell.
class WaylandScreen final : public DisplayScreen {
  public:
    explicit WaylandScreen(const WaylandGlobals& globals) : globals_(globals) {}

    Rect WorkArea(std::optional<Point> near) const override;
    /// The largest scale of the compositor's outputs, which a window has until the compositor
    /// tells it its own. The compositor decides how dense windows are; GDK_SCALE, which sets
    /// the scale on X11, has no say.
    DeviceScale Scale() const override { return LargestScale(globals_.Outputs()); }
    /// Silent: the compositors of this desktop offer clients no bell.
    void Bell() override {}

  private:
    const WaylandGlobals& globals_;
};

}  // namespace platform
