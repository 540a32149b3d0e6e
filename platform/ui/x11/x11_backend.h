#pragma once

#include <memory>
#include <string>

#include "platform/ui/backend.h"

namespace platform {

/// The display backend for an X11 screen, straight on Xlib: one X window per native window,
/// framebuffers shown with XPutImage, X input turned into calls on the attached window system,
/// colour pointers, window opacity (for a compositing window manager) and the clipboard.
///
/// A native window's id is its X window id. Xlib alone keeps the program small and quick to
/// start: no toolkit, no input method, no audio or GPU libraries.
class X11Backend : public Backend {
  public:
    /// Opens the display named by DISPLAY for the program called `programName`, the name its
    /// windows carry for the desktop (WM_CLASS: the name, and the name with a capital first
    /// letter), which matches them with the program's desktop entry. `startupId` is the launch
    /// that started the program (DESKTOP_STARTUP_ID; empty for none): its first window tells the
    /// desktop that the launch is over, and so does a program that ends without a window.
    /// Throws std::runtime_error naming the display when it cannot open it.
    explicit X11Backend(std::string programName, std::string startupId = {});
    ~X11Backend() override;

    /// The desktop session the backend would open, as a name for what the program keeps once
    /// per session: the display that DISPLAY names, without its screen number (":0" for ":0",
    /// ":0.1" and "unix:0"). Needs no connection.
    static std::string SessionName();
    X11Backend(const X11Backend&) = delete;
    X11Backend& operator=(const X11Backend&) = delete;

    void Attach(WindowSystem& system) override;
    NativeWindowId CreateNativeWindow(const NativeWindowDesc& logical) override;
    void DestroyNativeWindow(NativeWindowId id) override;
    void SetOpacity(NativeWindowId id, uint8_t opacity) override;
    void Activate(NativeWindowId id, std::string_view startupToken) override;
    void Present(NativeWindowId id, const Surface& framebuffer, const Rect& changed) override;
    void Flush() override;
    void SetPointer(const PointerImage* pointer) override;
    /// XBell at the volume the user set.
    void Bell() override;
    /// From RandR's monitors and the window manager's _NET_WORKAREA (MonitorWorkArea).
    Rect WorkArea(std::optional<Point> near) const override;
    /// GDK_SCALE, else the display's Xft.dpi resource, read when the display is opened
    /// (DesktopScale).
    int32_t Scale() const override;
    std::string ClipboardText() const override;
    void SetClipboardText(const std::string& text) override;
    int64_t NowMs() const override;
    void WatchDescriptor(int fd, std::function<void()> onReadable) override;
    void UnwatchDescriptor(int fd) override;
    /// Waits until the display sends an event or the deadline passes, then delivers every event
    /// that has arrived. Returns false when the connection to the display is gone.
    bool WaitForEvents(int64_t deadlineMs) override;

    /// Makes the display answer every request sent so far, then delivers every event it has
    /// sent: after it, input that other programs sent before the call has been handled.
    void DeliverPending();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
