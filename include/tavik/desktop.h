#pragma once

/// @file
/// The user's display and the message loop.

#include <memory>
#include <string>

namespace tavik {

struct Internals;

/// The program's connection to the user's desktop: the display its windows appear on and the
/// loop that delivers their input. Open one before any HostWindow; it must outlive them.
///
/// The display is the Wayland compositor that WAYLAND_DISPLAY names when that one answers,
/// else the X display that DISPLAY names; the environment variable TAVIK_BACKEND ("wayland"
/// or "x11") chooses one of the two.
class Desktop {
  public:
    /// Opens the display for the program `programName`, the name its windows carry to the
    /// desktop (WM_CLASS on X11, the app id on Wayland). Throws std::runtime_error saying what
    /// failed when no display can be opened.
    explicit Desktop(const std::string& programName);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    /// Delivers input, timers and painting to the windows until Quit is called, a HostWindow
    /// is closed by the user, or the display goes away.
    void Run();
    /// Ends Run once the handler that calls it returns.
    void Quit();
    /// Why the display went away during Run; empty while it is there.
    std::string LostMessage() const;

  private:
    friend struct Internals;
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace tavik
