#pragma once

#include <string>

#include "platform/display/display_events.h"
#include "platform/display/x11/x11_clipboard.h"
#include "platform/display/x11/x11_display.h"
#include "platform/display/x11/x11_windows.h"
#include "platform/gfx/geometry.h"

namespace platform {

/// The X11 backend's input: the connection as the shared wait (DisplayEvents) sees it, and the
/// X events it reads turned into calls on the window system, one event per delivery. The
/// clipboard takes the events that are its own; X's keyboard mapping follows the display's, and
/// the shown windows' scale the desktop's settings.
class X11Input final : public DisplayConnection {
  public:
    X11Input(X11Display& display, X11Windows& windows, X11Clipboard& clipboard)
        : display_(display), windows_(windows), clipboard_(clipboard) {}

    bool HasInput() override;
    pollfd BeginWait() override;
    void EndWait(short) override {}
    /// The clipboard's wait for another program's text ends by its deadline.
    int64_t NextDeadlineMs() const override { return clipboard_.DeadlineMs(); }
    void AfterWait(int64_t nowMs) override { clipboard_.AfterWait(nowMs); }
    void DeliverOne(WindowSystem* system) override;
    bool Lost() const override { return display_.Lost(); }
    std::string Name() const override { return display_.Name(); }

  private:
    void Deliver(XEvent& event, WindowSystem& system);
    /// Every shown top-level window, and the pointer, is shown at the desktop's new scale.
    void FollowDesktopScale(WindowSystem& system);
    /// Where the client area of the window that `configure` reports on now lies on the screen.
    Point ClientOrigin(const XConfigureEvent& configure) const;
    /// The close box's request and the window manager's ping.
    void WindowManagerMessage(const XClientMessageEvent& message, WindowSystem& system);
    /// The pointer is at (x, y) of window `w`, with the modifiers of `state` held.
    void MovePointer(::Window w, int32_t x, int32_t y, unsigned int state, WindowSystem& system);
    void KeyDown(XKeyEvent& key, WindowSystem& system);
    void KeyUp(XKeyEvent& key, WindowSystem& system);
    /// A device position on the screen in logical pixels of the desktop's scale.
    Point OnScreen(int32_t x, int32_t y) const;

    X11Display& display_;
    X11Windows& windows_;
    X11Clipboard& clipboard_;
};

}  // namespace platform
