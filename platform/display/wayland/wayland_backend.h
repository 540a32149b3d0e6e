#pragma once

#include <string>

#include "platform/display/display_events.h"
#include "platform/display/wayland/wayland_clipboard.h"
#include "platform/display/wayland/wayland_globals.h"
#include "platform/display/wayland/wayland_seat.h"
#include "platform/display/wayland/wayland_windows.h"
#include "platform/ui/backend.h"

namespace platform {

/// The display backend for a Wayland compositor: the connection and its globals
/// (WaylandGlobals) and the drivers of the four roles made on them, WaylandWindows (xdg-shell
/// toplevels framed by the compositor or by a title bar of the program's own, shared-memory
/// buffers paced by frame callbacks, the pointer's pictures, translucent buffers for window
/// opacity), WaylandScreen, WaylandClipboard and the shared DisplayEvents over WaylandSeat
/// (the seat's pointer and keyboard).
///
/// Wayland gives clients no positions: where a window appears is the compositor's choice.
class WaylandBackend final : public Backend {
  public:
    /// Connects to the compositor that WAYLAND_DISPLAY names (or "wayland-0") for the program
    /// whose desktop entry is `appId`, the application id its windows carry. `activationToken`
    /// is the launch that started the program (XDG_ACTIVATION_TOKEN; empty for none), which
    /// its first window hands to the compositor. Throws std::runtime_error naming the
    /// compositor when there is none or it lacks what windows need.
    explicit WaylandBackend(std::string appId, std::string activationToken = {});
    WaylandBackend(const WaylandBackend&) = delete;
    WaylandBackend& operator=(const WaylandBackend&) = delete;

    /// The compositor's socket that the backend would connect to, as a name for what the
    /// program keeps once per session: WAYLAND_DISPLAY when it is a path, else that name (or
    /// "wayland-0") in XDG_RUNTIME_DIR. Needs no connection.
    static std::string SessionName();

    WaylandWindows& Windows() override { return windows_; }
    WaylandScreen& Screen() override { return screen_; }
    WaylandClipboard& Clipboard() override { return clipboard_; }
    DisplayEvents& Events() override { return events_; }

    /// Makes the compositor answer every request sent so far and handles what it sent.
    void Roundtrip();

  private:
    WaylandGlobals globals_;
    WaylandWindows windows_;
    WaylandScreen screen_;
    WaylandSeat seat_;
    DisplayEvents events_;
    WaylandClipboard clipboard_;  // reads through events_, so it goes first
};

}  // namespace platform
