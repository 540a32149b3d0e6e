#pragma once

#include <string>

#include "platform/display/display_events.h"
#include "platform/display/x11/x11_clipboard.h"
#include "platform/display/x11/x11_display.h"
#include "platform/display/x11/x11_input.h"
#include "platform/display/x11/x11_monitors.h"
#include "platform/display/x11/x11_windows.h"
#include "platform/ui/backend.h"

namespace platform {

/// The display backend for an X11 screen, straight on Xlib: the connection (X11Display) and
/// the drivers of the four roles made on it, X11Windows, X11Screen, X11Clipboard and the
/// shared DisplayEvents over X11Input.
///
/// Xlib alone keeps the program small and quick to start: no toolkit, no input method, no
/// audio or GPU libraries.
class X11Backend final : public Backend {
  public:
    /// Opens the display named by DISPLAY for the program called `programName`, the name its
    /// windows carry for the desktop, which matches them with the program's desktop entry.
    /// `startupId` is the launch that started the program (DESKTOP_STARTUP_ID; empty for
    /// none). Throws std::runtime_error naming the display when it cannot open it.
    explicit X11Backend(std::string programName, std::string startupId = {});
    X11Backend(const X11Backend&) = delete;
    X11Backend& operator=(const X11Backend&) = delete;

    /// The desktop session the backend would open, as a name for what the program keeps once
    /// per session: the display that DISPLAY names, without its screen number (":0" for ":0",
    /// ":0.1" and "unix:0"). Needs no connection.
    static std::string SessionName();

    X11Windows& Windows() override { return windows_; }
    X11Screen& Screen() override { return screen_; }
    X11Clipboard& Clipboard() override { return clipboard_; }
    DisplayEvents& Events() override { return events_; }

    /// Makes the display answer every request sent so far, then delivers every event it has
    /// sent: after it, input that other programs sent before the call has been handled.
    void DeliverPending();

  private:
    X11Display display_;
    X11Windows windows_;
    X11Screen screen_;
    X11Clipboard clipboard_;
    X11Input input_;
    DisplayEvents events_;
};

}  // namespace platform
