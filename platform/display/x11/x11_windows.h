#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/display/x11/x11_display.h"
#include "platform/ui/backend.h"

namespace platform {

/// The X11 backend's windows: one X window per native window, its pictures composed and put
/// with PutImage requests a band of rows at a time, colour pointers, window opacity (for a
/// compositing window manager) and what the window manager reads of a window. A native
/// window's id is its X window id.
class X11Windows final : public DisplayWindows {
  public:
    /// `programName` is what the windows carry for the desktop (WM_CLASS: the name, and the name
    /// with a capital first letter); `startupId` the launch that started the program
    /// (DESKTOP_STARTUP_ID; empty for none): the first window tells the desktop that the launch
    /// is over, and so do windows that go without one having been shown.
    X11Windows(const X11Display& display, std::string programName, std::string startupId);
    ~X11Windows() override;
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    NativeWindowId CreateNativeWindow(const NativeWindowDesc& logical) override;
    void DestroyNativeWindow(NativeWindowId id) override;
    void SetOpacity(NativeWindowId id, uint8_t opacity) override;
    void Activate(NativeWindowId id, std::string_view startupToken) override;
    void SetScale(NativeWindowId id, DeviceScale scale) override;
    void Present(NativeWindowId id, const Rect& changed) override;
    void Flush() override;
    void SetPointer(const PointerImage* pointer) override;

    /// Whether X window `w` is one of the program's: a native window or the group's leader.
    bool IsOurs(unsigned long w) const { return windows_.contains(w) || w == leader_.Get().id; }
    /// A key or button pressed at `time` in window `w`: the window manager learns when the user
    /// last used the program, so that a window opened in answer may take the focus.
    void TookUserInput(::Window w, Time time);
    /// The display exposed the device pixels `area` of window `w`: the window is on the screen
    /// (for the first time, or again), and they are shown anew.
    void Exposed(::Window w, const Rect& area);
    /// The display destroyed window `w` unasked: it is the program's no more.
    void Gone(::Window w);
    /// The desktop's scale changed: a colour pointer shown is made again at the new scale.
    void RescalePointer();

  private:
    struct Shown {
        XWindowOwned window;
        Size logicalSize;  // the client area's, at every scale
        Size deviceSize;   // the client area's at the scale shown
        // Whether the window is mapped: it is, with its first picture as its background, from
        // the first Present on.
        bool mapped = false;
        // Whether the display has exposed the window yet: until it has, the window is not on
        // the screen (a window manager may still be deciding where it goes) and drawing into
        // it would be lost. The server paints the background as it first shows the window.
        bool exposed = false;
        // The first picture, the window's background until the first exposure.
        XPixmapOwned background;
        // What changed since the first picture while the window waited for its first exposure.
        Rect unshown;
        // The launch that the window ends as it maps (empty for none).
        std::string launch;
        // What the window shows.
        FrameSource pixels;
    };

    void SetTitle(::Window w, const std::string& title);
    void SetIcons(::Window w, std::span<const Image> icons);
    void SetIdentity(::Window w);
    void SetPlaceOnDesktop(::Window w, const NativeWindowDesc& desc);
    void SetFrame(::Window w, bool bordered);
    void SetWindowOpacity(::Window w, uint8_t opacity);
    void MapDrawn(::Window w, Shown& shown);
    void Put(::Window w, const Shown& shown, const Rect& area);
    void ShowPointer(Cursor pointer);

    const X11Display& display_;
    Display* x_;
    std::string programName_;
    std::string programClass_;
    std::string hostName_;
    // The launch that started the program, until a window that will end it is made.
    std::string startupId_;
    // The leader of the program's window group: never mapped, it names the group that the
    // desktop keeps together (and that a window owned by one not yet shown belongs to).
    XWindowOwned leader_;
    XGcOwned gc_;
    // When the user last pressed a key or button in one of our windows, on the display's
    // clock; CurrentTime (0) before the first.
    unsigned long userTime_ = CurrentTime;
    std::map<NativeWindowId, Shown> windows_;
    std::vector<uint32_t> band_;

    // The pointer shown over every window: the arrow (made when first needed) or a colour
    // pointer and the picture and scale it was made from, so that setting an equal picture at
    // the same scale keeps it.
    XCursorOwned arrow_;
    XCursorOwned colourPointer_;
    PointerImage colourPicture_;
    DeviceScale colourScale_;
    Cursor shownPointer_ = 0;
};

}  // namespace platform
