#pragma once

#include <memory>
#include <string>

#include "platform/ui/backend.h"

namespace platform {

/// The display backend for a Wayland compositor: one xdg-shell toplevel per native window
/// (bordered ones framed by the compositor, or by a title bar of the program's own where it
/// leaves frames to clients), framebuffers shown through shared-memory buffers paced by the
/// compositor's frame callbacks, input from the seat's pointer and keyboard (xkbcommon), the
/// pointer's pictures, translucent buffers for window opacity and the clipboard.
///
/// Wayland gives clients no positions: where a window appears is the compositor's choice.
class WaylandBackend : public Backend {
  public:
    /// Connects to the compositor that WAYLAND_DISPLAY names (or "wayland-0") for the program
    /// whose desktop entry is `appId`, the application id its windows carry. `activationToken`
    /// is the launch that started the program (XDG_ACTIVATION_TOKEN; empty for none), which
    /// its first window hands to the compositor. Throws std::runtime_error naming the
    /// compositor when there is none or it lacks what windows need (wl_compositor, wl_shm,
    /// xdg-shell).
    explicit WaylandBackend(std::string appId, std::string activationToken = {});
    ~WaylandBackend() override;
    WaylandBackend(const WaylandBackend&) = delete;
    WaylandBackend& operator=(const WaylandBackend&) = delete;

    /// The compositor's socket that the backend would connect to, as a name for what the
    /// program keeps once per session: WAYLAND_DISPLAY when it is a path, else that name (or
    /// "wayland-0") in XDG_RUNTIME_DIR. Needs no connection.
    static std::string SessionName();

    void Attach(WindowSystem& system) override;
    NativeWindowId CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(NativeWindowId id) override;
    /// Makes the window's buffers translucent, premultiplied by the opacity, below 255.
    void SetOpacity(NativeWindowId id, uint8_t opacity) override;
    /// Wayland lets no client raise or focus its windows unasked: a launch's activation token
    /// asks the compositor to (xdg-activation, where it offers it); without one nothing happens.
    void Activate(NativeWindowId id, std::string_view startupToken) override;
    void Present(NativeWindowId id, const Surface& framebuffer, const Rect& changed) override;
    void Flush() override;
    void SetPointer(const PointerImage* pointer) override;
    /// Silent: the compositors of this desktop offer clients no bell.
    void Bell() override {}
    /// The first output, in logical pixels: Wayland tells clients neither where their windows
    /// are nor where the pointer is on the screen.
    Rect WorkArea(std::optional<Point> near) const override;
    /// The largest scale of the compositor's outputs when the backend connected (at most
    /// kMaxScale). The compositor decides how dense windows are; GDK_SCALE, which sets the
    /// scale on X11, has no say.
    int32_t Scale() const override;
    std::string ClipboardText() const override;
    void SetClipboardText(const std::string& text) override;
    int64_t NowMs() const override;
    void WatchDescriptor(int fd, std::function<void()> onReadable) override;
    void UnwatchDescriptor(int fd) override;
    /// Waits until the compositor sends input, a held key repeats or the deadline passes, then
    /// delivers one input event. Ends the program with status 1 when the connection is lost.
    bool WaitForEvents(int64_t deadlineMs) override;

    /// Makes the compositor answer every request sent so far and handles what it sent.
    void Roundtrip();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
