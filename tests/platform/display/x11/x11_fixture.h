#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/x11/x11_backend.h"
#include "platform/os/owned.h"
#include "platform/ui/window.h"
#include "platform/ui/window_system.h"
#include "tests/support/recording_window.h"

// Xlib comes last: its macros (None, Bool, Status, ...) would rewrite words of the headers above.
#include <X11/Xlib.h>

namespace platform {

using testsupport::RecordingWindow;

/// A connection to the X display, closed with its owner.
using DisplayPtr = Owned<Display*, XCloseDisplay>;

/// A window property as the display holds it.
struct XProperty {
    Atom type = 0;  // None when the window has no such property
    int format = 0;
    std::vector<unsigned char> bytes;  // format 8
    std::vector<uint32_t> items;       // format 32
};

/// Reads property `name` of `window` whole; with `remove`, the property is deleted as well.
XProperty ReadProperty(Display* display, ::Window window, Atom name, bool remove = false);

/// The pixels of a viewable window's rectangle as the display shows them, row after row
/// (0x00RRGGBB on a 24-bit display).
std::vector<uint32_t> ReadPixels(Display* display, ::Window window, const Rect& area);

/// Fills a rectangle of a window with one pixel value, drawn by this connection alone (the
/// window's owner hears nothing of it), and waits until the display has done it.
void FillWindow(Display* display, ::Window window, const Rect& area, uint32_t pixel);

/// While it lives, X errors on one connection are recorded instead of reaching the handler
/// installed before it (the backend's), which it puts back. Errors on other connections still
/// go to that handler.
class XErrorTrap {
  public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    /// Waits until the display has answered every request sent so far, then gives the error
    /// code of the first error since the trap was set; 0 for none.
    int FirstError();

  private:
    static int Record(Display* display, XErrorEvent* error);

    static inline Display* trapped_ = nullptr;
    static inline XErrorHandler previous_ = nullptr;
    static inline int firstError_ = 0;
};

/// A live X11 backend shared by the tests of a suite (the connection costs little, but one per
/// suite also shows that it outlives many window systems), a window system of each test's
/// own, and a connection of the test's own to the same display, through which the test looks at
/// the backend's windows and sends them input as the display or another program would.
class X11Fixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { StartBackend("1"); }
    static void TearDownTestSuite() { shared_.reset(); }

    /// Starts the suite's backend with GDK_SCALE set to `gdkScale`, whatever the variable said
    /// where the tests run (the display has no Xft.dpi, so that is the scale); null leaves it
    /// unset, for the desktop's settings to decide.
    static void StartBackend(const char* gdkScale);

    void SetUp() override { ASSERT_TRUE(display) << "no X display to test on"; }

    /// The display carries out everything the test's connection sent, the backend handles every
    /// event the display has sent it by then, the window system runs what that left pending,
    /// and the display carries out whatever was drawn meanwhile, so that the test's connection
    /// sees it.
    void Drain() {
        XSync(display.Get(), False);
        backend.DeliverPending();
        system.DispatchPending();
        backend.DeliverPending();
    }

    Atom AtomNamed(const char* name) const { return XInternAtom(display.Get(), name, False); }

    X11Backend& backend = *shared_;
    WindowSystem system{backend};
    DisplayPtr display{XOpenDisplay(nullptr)};

  private:
    static inline std::unique_ptr<X11Backend> shared_;
};

}  // namespace platform
