#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/display/x11/x11_desktop_settings.h"
#include "platform/gfx/device_scale.h"
#include "platform/os/owned.h"

// Xlib's headers define macros such as None, Bool and Status: they come after ours.
#include <X11/Xlib.h>

namespace platform {

/// A resource of an X display (a window, a cursor, a graphics context) and the display it is
/// of, which its free function takes with it. An empty id (None, or a GC that could not be
/// made) is no resource, whatever the display.
template <typename Id>
struct XResource {
    constexpr XResource() = default;
    constexpr XResource(Display* of, Id resource)
        : display(resource != Id{} ? of : nullptr), id(resource) {}
    bool operator==(const XResource&) const = default;

    Display* display = nullptr;
    Id id{};
};

/// Gives an X resource up with `Free(display, id)`.
template <auto Free, typename Id>
void FreeX(XResource<Id> resource) {
    Free(resource.display, resource.id);
}

using XWindowOwned = Owned<XResource<::Window>, FreeX<XDestroyWindow, ::Window>>;
using XCursorOwned = Owned<XResource<Cursor>, FreeX<XFreeCursor, Cursor>>;
using XGcOwned = Owned<XResource<GC>, FreeX<XFreeGC, GC>>;
using XPixmapOwned = Owned<XResource<Pixmap>, FreeX<XFreePixmap, Pixmap>>;

/// Memory Xlib allocated for the program (a property's value, an atom's name), freed with
/// XFree.
template <typename T>
using XMemory = Owned<T*, XFree>;

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
/// screen's root window, visual and depth, the scale windows are shown at as the desktop's
/// settings change, the atoms, and whether the connection has been lost.
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

    Display* X() const { return display_.Get(); }
    ::Window Root() const { return root_; }
    const Visual& TrueColour() const { return *visual_; }
    int Depth() const { return depth_; }
    /// How many bits the server stores a pixel of that depth in (32 for depth 24 almost
    /// everywhere).
    int PixelBits() const { return pixelBits_; }
    /// The scale the desktop's settings ask for now (X11DesktopSettings).
    DeviceScale Scale() const { return settings_.Scale(); }
    /// Takes in a change of the desktop's settings that `event` reports; whether it was one.
    bool FollowSettings(const XEvent& event) { return settings_.Follow(event); }
    /// The appearance the desktop's settings ask for now (X11DesktopSettings).
    std::optional<Appearance> DesktopAppearance() const { return settings_.DesktopAppearance(); }
    Atom AtomOf(X11Atom name) const { return atoms_[name]; }

    /// Sets a property of window `w` to 32-bit cardinals, or to the atoms `names`.
    void SetCardinals(::Window w, X11Atom property, const unsigned long* values, int count) const;
    void SetAtoms(::Window w, X11Atom property, const std::vector<X11Atom>& names) const;

    /// Whether the connection to the display is gone.
    bool Lost() const { return lost_; }
    /// `the display ":1"`: the display as the message about its loss names it.
    std::string Name() const;

  private:
    /// Opens the display that DISPLAY names, whose errors and loss end nothing from then on.
    static Display* Open(X11Display* self);
    static void OnLost(Display* display, void* self);

    // Initialized first: the connection may be lost as soon as it is opened.
    bool lost_ = false;
    Owned<Display*, XCloseDisplay> display_;
    X11DesktopSettings settings_;
    ::Window root_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    int pixelBits_ = 0;
    Atom atoms_[kAtomCount] = {};
};

}  // namespace platform
