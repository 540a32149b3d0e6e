#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/owned.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/Xlib.h>

namespace platform {

/// A resource of an X display (a window, a cursor, a graphics context), given up with
/// `Free(display, handle)` when its holder goes; an empty holder frees nothing.
template <typename Handle, auto Free>
class XOwned {
  public:
    XOwned() = default;
    XOwned(Display* display, Handle handle) : display_(display), handle_(handle) {}
    XOwned(XOwned&& other) noexcept
        : display_(other.display_), handle_(std::exchange(other.handle_, Handle{})) {}
    XOwned& operator=(XOwned&& other) noexcept {
        if (this != &other) {
            Reset();
            display_ = other.display_;
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    XOwned(const XOwned&) = delete;
    XOwned& operator=(const XOwned&) = delete;
    ~XOwned() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    /// Frees the resource now.
    void Reset() {
        if (handle_ != Handle{}) Free(display_, std::exchange(handle_, Handle{}));
    }
    /// Gives the resource up without freeing it: the display has already destroyed it.
    void Release() { handle_ = Handle{}; }

  private:
    Display* display_ = nullptr;
    Handle handle_{};
};

using XWindowOwned = XOwned<::Window, XDestroyWindow>;
using XCursorOwned = XOwned<Cursor, XFreeCursor>;
using XGcOwned = XOwned<GC, XFreeGC>;

/// The atoms the X11 backend's drivers use, interned once when the display is opened.
enum X11Atom {
    kWmProtocols,
    kWmDeleteWindow,
    kNetWmPing,
    kWmClientLeader,
    kNetWmName,
    kUtf8String,
    kNetWmIcon,
    kNetWmPid,
    kNetWmUserTime,
    kNetStartupId,
    kNetWmWindowOpacity,
    kNetWmWindowType,
    kNetWmWindowTypeNormal,
    kNetWmWindowTypeDialog,
    kNetWmWindowTypeSplash,
    kNetWmState,
    kNetWmStateModal,
    kNetWmStateSkipTaskbar,
    kNetActiveWindow,
    kMotifWmHints,
    kAtomCount
};

/// The connection to an X display, as every driver of the X11 backend shares it: the default
/// screen's root window, visual and depth, the scale windows are shown at, the atoms, and
/// whether the connection has been lost.
///
/// X protocol errors do not end the program (KeepXErrorsFromEndingTheProgram); neither does a
/// lost connection, which Xlib reports to the exit handler that libX11 1.7 and later let a
/// program set (XSetIOErrorExitHandler): the display is then marked lost, and Xlib's calls
/// return at once from then on.
class X11Display {
  public:
    /// Opens the display that DISPLAY names. Throws std::runtime_error naming the display when
    /// it cannot open it, or when the display shows no true colour.
    X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    Display* X() const { return display_.get(); }
    ::Window Root() const { return root_; }
    const Visual& TrueColour() const { return *visual_; }
    int Depth() const { return depth_; }
    /// GDK_SCALE, else the display's Xft.dpi resource, read when the display was opened
    /// (DesktopScale).
    int32_t Scale() const { return scale_; }
    Atom AtomOf(X11Atom name) const { return atoms_[name]; }

    /// Sets a property of window `w` to 32-bit cardinals, or to the atoms `names`.
    void SetCardinals(::Window w, X11Atom property, const unsigned long* values, int count) const;
    void SetAtoms(::Window w, X11Atom property, const std::vector<X11Atom>& names) const;

    /// Whether the connection to the display is gone.
    bool Lost() const { return lost_; }
    /// `the display ":1"`: the display as the message about its loss names it.
    std::string Name() const;

  private:
    static void OnLost(Display* display, void* self);

    Owned<Display, XCloseDisplay> display_;
    ::Window root_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    int32_t scale_ = 1;
    Atom atoms_[kAtomCount] = {};
    bool lost_ = false;
};

}  // namespace platform
